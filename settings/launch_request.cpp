#include "launch_request.h"

#include "com/com_apartment.h"
#include "logging/logging.h"
#include "nsinterfaces.h"
#include "search_module_client.h"
#include "text/ansi_text.h"

#include <wrl/client.h>

void AskLaunchManager(LaunchRequest request, const std::string& itemPath)
{
    const bool launchObject = request == LaunchRequest::ExecuteLaunchObject;
    const ComApartment apartment;
    if (!apartment.IsReady()) {
        Logging::OutToLogFile(launchObject ? "Could not initialize COM library in DialwiseApp::InitExecuteLO()\n"
                                           : "Could not initialize COM library in DialwiseApp::InitAutoMapMedia()\n");
        return;
    }
    Microsoft::WRL::ComPtr<INotifyNSLaunchManager> launchManager;
    const HRESULT created = CreateSearchModule(IID_INotifyNSLaunchManager, reinterpret_cast<void**>(launchManager.GetAddressOf()));
    if (FAILED(created)) {
        LogFormatted("Could not get the INotifyNSLaunchManager interface. HRESULT =0x%08X\n",
                     static_cast<unsigned>(created));
        return;
    }
    // The module asks its questions in windows of its own: let them come to the front.
    ::CoAllowSetForegroundWindow(launchManager.Get(), nullptr);
    const std::wstring path = WideFromAnsi(itemPath);
    const HRESULT result =
        launchObject ? launchManager->ExecuteLaunchObject(path.c_str()) : launchManager->AutoMapMedia(path.c_str(), 0);
    if (FAILED(result))
        LogFormatted(launchObject
                         ? "Failed when calling INotifyNSLaunchManager::ExecuteLaunchObject()            HRESULT=0x%08X\n"
                         : "Failed when calling INotifyNSLaunchManager::AutoMapMedia()            HRESULT=0x%08X\n",
                     static_cast<unsigned>(result));
}
