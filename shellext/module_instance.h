#pragma once

#include <windows.h>

// This library's own module handle, recorded when the library is loaded.
extern HINSTANCE g_hShellvueInstance;
