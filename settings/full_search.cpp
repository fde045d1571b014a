#include "full_search.h"

#include "com/com_apartment.h"
#include "logging/logging.h"
#include "nsinterfaces.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "search_module_client.h"
#include "settings/product_keys.h"

#include <windows.h>
#include <shellapi.h>
#include <wrl/client.h>

namespace {

using Microsoft::WRL::ComPtr;

// The module needs a moment to register its class once started by hand.
constexpr DWORD kModuleStartDelayMs = 500;

void StartSearchModuleProgram()
{
    std::string programPath;
    try {
        programPath = ReadProgramPath();
    } catch (const RegKeyException& error) {
        LogFormatted("RegKey Exception: %d\n", static_cast<int>(error.Cause()));
    }
    // Without the installation folder, creating its object below still starts the module.
    if (programPath.empty())
        return;
    const std::string file = programPath + "\\" + CommonText(IDS_SEARCH_MODULE_EXE_NAME);
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", file.c_str(), nullptr, programPath.c_str(), SW_SHOWNORMAL));
    if (result <= 32)
        LogFormatted("DialwiseApp::StartARescan() - ShellExecute returned %d\n", static_cast<int>(result));
    ::Sleep(kModuleStartDelayMs);
}

} // namespace

bool StartARescan()
{
    Logging::OutToLogFile("DialwiseApp::StartARescan() - Starting a rescan\n");
    StartSearchModuleProgram();

    const ComApartment apartment;
    if (!apartment.IsReady()) {
        Logging::OutToLogFile("Could not initialize COM library.\n");
        return false;
    }
    ComPtr<IRegisterNSClient> registration;
    HRESULT result = CreateSearchModule(IID_IRegisterNSClient, reinterpret_cast<void**>(registration.GetAddressOf()));
    if (FAILED(result)) {
        LogFormatted("Could not get the IRegisterNSClient interface. HRESULT =0x%08X\n", static_cast<unsigned>(result));
        return false;
    }
    LONG id = 0;
    result = registration->Add(nullptr, L"", &id);
    if (FAILED(result)) {
        LogFormatted("Failed when calling IRegisterNSClient::Add(). HRESULT=0x%08X\n", static_cast<unsigned>(result));
        return false;
    }
    bool started = false;
    ComPtr<INotifyNSServer> server;
    result = registration.As(&server);
    if (FAILED(result)) {
        LogFormatted("Failed when QueryInterface(IID_INotifyNSServer                HRESULT=0x%08X\n",
                     static_cast<unsigned>(result));
    } else {
        result = server->Rescan(id);
        if (FAILED(result))
            LogFormatted("Failed when calling INotifyNSServer::Rescan()                  HRESULT=0x%08X\n",
                         static_cast<unsigned>(result));
        // A busy answer is a success code: a search of the network runs all the same.
        started = SUCCEEDED(result);
        server.Reset();
    }
    // The registration only served the request; 0 ends it, as the module expects.
    result = registration->Remove(0);
    if (FAILED(result))
        LogFormatted("Failed when calling IRegisterNSClient::Remove() HRESULT=0x%08X\n", static_cast<unsigned>(result));
    return started;
}
