// One enumeration of the simulated network, as NPOpenEnum hands it to mpr.
#pragma once

#include <windows.h>
#include <winnetwk.h>

#include <string>
#include <vector>

#include "network_description.h"

namespace simnet {

struct ResourceEntry {
    DWORD type;
    DWORD displayType;
    DWORD usage;
    std::wstring remoteName;
    std::wstring comment;
};

class ResourceEnumeration {
public:
    // The children of `container` (nullptr or no remote name: the provider's top level, i.e.
    // the domains; a domain name: its servers; "\\SERVER": its disk shares). Fails with a
    // WN_* code for a container the network does not have.
    static DWORD Open(const NetworkDescription& network, const NETRESOURCEW* container, DWORD type,
                      DWORD usage, std::wstring providerName, ResourceEnumeration*& opened);
    static ResourceEnumeration* Empty(std::wstring providerName);

    // NPEnumResource: packs entries and their strings into the caller's buffer.
    DWORD Next(DWORD& count, void* buffer, DWORD& bufferSize);

private:
    explicit ResourceEnumeration(std::wstring providerName) : providerName_(std::move(providerName)) {}

    std::wstring providerName_;
    std::vector<ResourceEntry> entries_;
    size_t next_ = 0;
};

}  // namespace simnet
