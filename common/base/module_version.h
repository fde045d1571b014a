#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <string>

// A text of a module's version resource ("ProductVersion", "FileVersion", ...), read in the
// first language and code page its translation table lists; empty when the module, the
// resource or the text is missing.
BASALT_API std::string ModuleVersionText(HMODULE module, const char* name);
