#pragma once

#include <windows.h>

// Probestar's own module, for its string table.
extern HINSTANCE g_hProbestarInstance;
