#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Whether a path names one place whatever the current drive and folder: a drive path
// ("C:\Setup") or a network path ("\\Server\Share").
bool IsAbsolutePath(const std::string& path);

// The folder of the client setup files ("Client Setup Location" of the computer's settings)
// for writing its script. A missing or relative location is reported to the user (under
// caption) and gives nothing.
std::optional<std::string> SetupFolderForScript(HWND owner, const std::string& caption, const char* caller);
