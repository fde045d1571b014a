#include "resources/resources.h"

#include <windows.h>

// Runs under the loader lock: nothing but noting where Basalt's own resources are.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hBasaltInstance = instance;
    return TRUE;
}
