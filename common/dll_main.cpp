#include "resources.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hBasaltInstance = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
