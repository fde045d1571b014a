#include "search_module_access.h"

#include "logging/logging.h"
#include "public/search_module_object.h"

#include <objbase.h>

namespace {

IUnknown* g_searchModuleOverride = nullptr;

} // namespace

void SetSearchModuleOverride(IUnknown* module) { g_searchModuleOverride = module; }

bool GetLocalServerInterface(REFIID iid, void** object)
{
    if (!object)
        return false;
    *object = nullptr;
    if (g_searchModuleOverride)
        return SUCCEEDED(g_searchModuleOverride->QueryInterface(iid, object));
    const HRESULT created = CreateSearchModuleObject(iid, object);
    if (created == CO_E_CLASSSTRING) {
        Logging::OutToLogFile("ShellFolder::GetLocalServerInterface | no class id of the search module\n");
        return false;
    }
    if (FAILED(created)) {
        LogFormatted("ShellFolder::GetLocalServerInterface | CoCreateInstance failed with the HRESULT=0x%08X\n",
                     static_cast<unsigned>(created));
        return false;
    }
    return true;
}

void LogFailedServerCall(const char* caller, const char* method, HRESULT result)
{
    LogFormatted("%s |         Failed calling INotifyNSServer::%s with the HRESULT=0x%08X\n", caller, method,
                 static_cast<unsigned>(result));
}
