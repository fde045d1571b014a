#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The common Open dialog for one existing file, offering executables first (string 641); the
// file chosen, none when the user cancelled. An empty title leaves the dialog's own.
std::optional<std::string> ChooseFile(HWND owner, const std::string& current, const std::string& title);
