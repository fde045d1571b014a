#include "find_registrations.h"

#include "logging/logging.h"
#include "search_module_client.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"

#include <algorithm>

void FindRegistrations::Register(INotifyNSClient* client, const std::vector<std::string>& folders)
{
    Logging::OutToLogFile("FindMediaDlg::RegisterWithServer()\n");
    std::vector<std::string> wanted;
    for (const std::string& folder : folders) {
        if (!IsRegistered(folder))
            wanted.push_back(folder);
    }
    if (wanted.empty())
        return;
    if (!module_) {
        const HRESULT created = CreateSearchModule(IID_IRegisterNSClient, reinterpret_cast<void**>(module_.GetAddressOf()));
        if (FAILED(created)) {
            LogFormatted("Could not get the IRegisterNSClient interface. HRESULT =0x%08X\n", static_cast<unsigned>(created));
            return;
        }
    }
    for (const std::string& folder : wanted) {
        LONG id = 0;
        const HRESULT added = module_->Add(client, WideFromAnsi(folder).c_str(), &id);
        if (FAILED(added)) {
            LogFormatted("Failed when calling IRegisterNSClient::Add(). HRESULT=0x%08X\n", static_cast<unsigned>(added));
            continue;
        }
        registrations_.push_back({folder, id});
    }
}

void FindRegistrations::RemoveAll()
{
    if (module_) {
        for (const Registration& registration : registrations_) {
            const HRESULT removed = module_->Remove(registration.id);
            if (FAILED(removed))
                LogFormatted("Failed when calling IRegisterNSClient::Remove() HRESULT=0x%08X\n",
                             static_cast<unsigned>(removed));
        }
    }
    registrations_.clear();
    module_.Reset();
}

bool FindRegistrations::IsRegistered(const std::string& folder) const
{
    return std::any_of(registrations_.begin(), registrations_.end(),
                       [&](const Registration& registration) { return EqualsNoCase(registration.folder, folder); });
}
