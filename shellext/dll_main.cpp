#include "module_instance.h"

#include <windows.h>

// Runs under the loader lock, where almost nothing is safe: the library's start-up waits for
// the first class-object request (ShellvueApp::EnsureStarted).
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hShellvueInstance = instance;
    return TRUE;
}
