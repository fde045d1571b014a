#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <string>

// Full path of a loaded module (null: the running executable); empty when it cannot be had.
BASALT_API std::string ModuleFileName(HMODULE module);
// The part before the last backslash, without it (a drive's root keeps it: "C:\"); empty
// when there is none.
BASALT_API std::string DirectoryOf(const std::string& path);
// The part after the last backslash (the whole path when there is none).
BASALT_API std::string FileNameOf(const std::string& path);
// directory + "\" + name, without doubling a backslash the directory already ends in.
BASALT_API std::string JoinPath(const std::string& directory, const std::string& name);
