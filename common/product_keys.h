#pragma once

#include "basalt_api.h"

#include <string>

// The suite's registry key below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER (branding library).
BASALT_API std::string ProductKeyPath();
// The product key followed by a sub-key text of the string table (texts that begin with "\").
BASALT_API std::string ProductSubKeyPath(unsigned int subKeyStringId);
// "CLSID\{namespace class}\NSProductInfo" below HKEY_CLASSES_ROOT: the installed version.
BASALT_API std::string ProductInfoKeyPath();
// "Program Path" of the machine product key; throws RegKeyException.
BASALT_API std::string ReadProgramPath();
