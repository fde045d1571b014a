#pragma once

#include "nsinterfaces.h"

#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// The dialog's registrations with the search module, one per folder in which results were
// found, so that later removals and changes of found items reach the results. Each folder is
// registered once; every registration is removed again when the results are cleared or the
// dialog closes.
class FindRegistrations {
public:
    FindRegistrations() = default;
    ~FindRegistrations() { RemoveAll(); }
    FindRegistrations(const FindRegistrations&) = delete;
    FindRegistrations& operator=(const FindRegistrations&) = delete;

    // Registers client for each folder not registered yet.
    void Register(INotifyNSClient* client, const std::vector<std::string>& folders);
    void RemoveAll();

private:
    struct Registration {
        std::string folder;
        LONG id = 0;
    };

    bool IsRegistered(const std::string& folder) const;

    Microsoft::WRL::ComPtr<IRegisterNSClient> module_;
    std::vector<Registration> registrations_;
};
