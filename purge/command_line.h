#pragma once

#include <string>

enum class RunMode { Unusable, Silent, Interactive };

// The mode the command line asks for: "s" silent, "user" interactive, each with or without a
// leading "-" or "/"; the last one given wins. Anything else makes the program unusable.
RunMode RunModeOf(const std::wstring& commandLine);
