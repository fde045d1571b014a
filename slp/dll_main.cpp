#include "module_instance.h"

#include <windows.h>

HINSTANCE g_hProbestarInstance = nullptr;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hProbestarInstance = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
