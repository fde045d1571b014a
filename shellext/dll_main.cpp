#include "shellvue_app.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        try {
            return TheApp().InitInstance() ? TRUE : FALSE;
        } catch (...) {
            return FALSE;
        }
    case DLL_PROCESS_DETACH:
        TheApp().ExitInstance(reserved != nullptr);
        break;
    default:
        break;
    }
    return TRUE;
}
