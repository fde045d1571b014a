#pragma once

#include "basalt_api.h"

#include <string>

// The answer of the path functions below while the product key is unknown (the branding
// library, which names it, is not loaded yet): nothing may be read or written then, least of
// all at the root of a hive.
constexpr long kProductKeyUnknown = 126;   // ERROR_MOD_NOT_FOUND

// True once the branding library is loaded and names the product key.
BASALT_API bool IsProductKeyKnown();
// The suite's registry key below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER (branding library).
// Throws RegKeyException(kProductKeyUnknown), and logs, while the key is unknown.
BASALT_API std::string ProductKeyPath();
// The product key followed by a sub-key text of the string table (texts that begin with "\");
// throws like ProductKeyPath.
BASALT_API std::string ProductSubKeyPath(unsigned int subKeyStringId);
// "CLSID\{namespace class}\NSProductInfo" below HKEY_CLASSES_ROOT: the installed version.
// Throws like ProductKeyPath while the branding library names no class.
BASALT_API std::string ProductInfoKeyPath();
// "Program Path" of the machine product key; throws RegKeyException.
BASALT_API std::string ReadProgramPath();
