#pragma once

#include <windows.h>

#include <string>

// The file version of a module's version resource as "major.minor.build.revision"; empty when
// the module has none.
std::string FileVersionOf(HMODULE module);
