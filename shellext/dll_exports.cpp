// The library's exports (by name, through the generated .def file).

#include "logging.h"
#include "module_lifetime.h"
#include "shellvue_app.h"

#include <windows.h>

extern "C" {

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    try {
        return TheApp().GetClassObject(clsid, riid, object);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDAPI DllCanUnloadNow()
{
    const bool canUnload = ModuleLifetime::CanUnload();
    try {
        Logging::OutToLogFile(canUnload ? "DllCanUnloadNow returns S_OK\n" : "DllCanUnloadNow returns S_FALSE\n");
    } catch (...) {
        // The answer matters more than its log line.
    }
    return canUnload ? S_OK : S_FALSE;
}

// The installer writes the registration; the library itself never does.
STDAPI DllRegisterServer() { return S_OK; }

} // extern "C"
