#include "search_module_item_call.h"

#include "com/com_apartment.h"
#include "logging/logging.h"
#include "search_module_access.h"
#include "text/ansi_text.h"

#include <wrl/client.h>

HRESULT SendToSearchModule(SearchModuleItemCall call, const std::string& folderPath, const CacheItem& item)
{
    const ComApartment apartment;
    if (apartment.Result() == S_FALSE)
        Logging::OutToLogFile("COM library was already initialized (no error)\n");
    else if (!apartment.IsReady())
        Logging::OutToLogFile("CoInitialize - Could not init the COM library.\n");
    Microsoft::WRL::ComPtr<INotifyNSServer> server;
    if (!GetLocalServerInterface(IID_INotifyNSServer, reinterpret_cast<void**>(server.GetAddressOf()))) {
        Logging::OutToLogFile("Could not get the INotifyNSServer interface.\n");
        return CO_E_OBJNOTCONNECTED;
    }
    CacheItem sent(item);
    if (!sent.InitStruct()) {
        Logging::OutToLogFile("Could not initiate cache item struct.\n");
        return E_OUTOFMEMORY;
    }
    const std::wstring path = WideFromAnsi(folderPath);
    const bool creating = call == SearchModuleItemCall::Create;
    const HRESULT result =
        creating ? server->CreateItem(0, path.c_str(), sent.Record) : server->UpdateItem(0, path.c_str(), sent.Record);
    if (result != S_OK)
        LogFormatted(result < 0 ? "Failed calling INotifyNSServer::%s() with the HRESULT=0x%08X\n"
                                : "Failed calling INotifyNSServer::%s() with the own-defined HRESULT=0x%08X\n",
                     creating ? "CreateItem" : "UpdateItem", static_cast<unsigned>(result));
    return result;
}
