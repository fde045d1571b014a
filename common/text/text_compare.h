#pragma once

#include <windows.h>

#include <string>

// Case-insensitive comparison in the user's locale, as Windows lists sort names.
inline int CompareNoCase(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()); }
inline bool EqualsNoCase(const std::string& a, const std::string& b) { return CompareNoCase(a, b) == 0; }
