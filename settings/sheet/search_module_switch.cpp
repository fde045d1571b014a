#include "search_module_switch.h"

#include "com/com_apartment.h"
#include "logging/logging.h"
#include "nsinterfaces.h"
#include "search_module_client.h"

#include <wrl/client.h>

void TurnSearchModuleOnOrOff(bool on)
{
    Logging::OutToLogFile("NSPropertySheet::TurnSearchModuleOnOrOff()\n");
    const ComApartment apartment;
    Microsoft::WRL::ComPtr<IRegisterNSClient> registration;
    HRESULT result = CreateSearchModule(IID_IRegisterNSClient, reinterpret_cast<void**>(registration.GetAddressOf()));
    if (FAILED(result)) {
        LogFormatted("Could not get the IRegisterNSClient interface. HRESULT =0x%08X\n", static_cast<unsigned>(result));
        return;
    }
    if (on) {
        LONG id = 0;
        result = registration->Add(nullptr, L"", &id);
        if (FAILED(result)) {
            LogFormatted("Failed when calling IRegisterNSClient::Add(). HRESULT=0x%08X\n", static_cast<unsigned>(result));
            return;
        }
        Logging::OutToLogFile("The search module runs background searches.\n");
    } else {
        result = registration->Remove(0);
        if (FAILED(result)) {
            LogFormatted("Failed when calling IRegisterNSClient::Remove()  HRESULT=0x%08X\n",
                         static_cast<unsigned>(result));
            return;
        }
        Logging::OutToLogFile("The search module was told to stop background searches.\n");
    }
}
