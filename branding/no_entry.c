/* The branding library holds only resources and is loaded as a data file; this entry point
   lets it be loaded as an ordinary library too, without any runtime. */
#include <windows.h>

BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
