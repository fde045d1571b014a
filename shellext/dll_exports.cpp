// The library's exports (by name, through the generated .def file).

#include "com/com_boundary.h"
#include "com/com_module.h"
#include "logging/logging.h"
#include "shellvue_app.h"

#include <windows.h>

extern "C" {

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    return ComBoundary("DllGetClassObject()", [&] {
        ShellvueApp& app = TheApp();
        app.EnsureStarted();
        return app.GetClassObject(clsid, riid, object);
    });
}

STDAPI DllCanUnloadNow()
{
    const bool canUnload = ThisComModule().CanUnload();
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
