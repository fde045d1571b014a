#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// The whole content of a file of at most maxBytes; nothing when it cannot be read, or is larger
// (ERROR_FILE_TOO_LARGE), with the cause in GetLastError.
BASALT_API std::optional<std::string> ReadFileContent(const std::string& path, std::size_t maxBytes);

// Gives a file new content through a temporary file in the same folder that then takes the
// file's place, so that a reader at any moment finds the old content or the new, whole, and the
// old stays when anything fails (the cause then in GetLastError). A read-only file is not
// replaced (ERROR_ACCESS_DENIED).
BASALT_API bool ReplaceFileContent(const std::string& path, const std::string& content);
