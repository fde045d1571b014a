#include "search_module_access.h"

#include "logging/logging.h"
#include "public/search_module_object.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "ui/prompt.h"

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

bool IsSearchModuleGone(HRESULT result)
{
    switch (result) {
    case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE):
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case CO_E_OBJNOTCONNECTED:
        return true;
    default:
        return false;
    }
}

void ShowSearchModuleUnreachable(HWND owner)
{
    Logging::OutToLogFile("The search module cannot be reached: the command was not carried out.\n");
    ShowPrompt(owner, CommonText(IDS_ERR_SEARCH_MODULE_UNREACHABLE), ProductCaption(),
               MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}
