#include "module_instance.h"

#include <windows.h>

HINSTANCE g_hProbestarInstance = nullptr;

// Runs under the loader lock: nothing but noting the module.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hProbestarInstance = instance;
    return TRUE;
}
