#include "resource_enumeration.h"

#include <cstring>

namespace simnet {
namespace {

bool WantsShares(DWORD type, DWORD usage) noexcept
{
    bool diskType = type == RESOURCETYPE_ANY || (type & RESOURCETYPE_DISK) != 0;
    bool connectable = usage == 0 || (usage & RESOURCEUSAGE_CONNECTABLE) != 0;
    return diskType && connectable;
}

size_t StringBytes(const std::wstring& text) noexcept
{
    return text.empty() ? 0 : (text.size() + 1) * sizeof(wchar_t);
}

}  // namespace

ResourceEnumeration* ResourceEnumeration::Empty(std::wstring providerName)
{
    return new ResourceEnumeration(std::move(providerName));
}

DWORD ResourceEnumeration::Open(const NetworkDescription& network, const NETRESOURCEW* container, DWORD type,
                                DWORD usage, std::wstring providerName, ResourceEnumeration*& opened)
{
    std::vector<ResourceEntry> entries;
    const wchar_t* remote = container ? container->lpRemoteName : nullptr;
    if (!remote || !*remote || providerName == remote) {
        for (const Domain& domain : network.Domains())
            entries.push_back({RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, domain.name, {}});
    } else if (remote[0] == L'\\' && remote[1] == L'\\') {
        std::wstring_view serverName(remote + 2);
        if (serverName.find(L'\\') != std::wstring_view::npos) return WN_BAD_VALUE;  // a share has no children
        const Server* server = network.FindServer(serverName);
        if (!server) return WN_BAD_NETNAME;
        if (WantsShares(type, usage)) {
            for (const Share& share : server->shares)
                entries.push_back({RESOURCETYPE_DISK, RESOURCEDISPLAYTYPE_SHARE, RESOURCEUSAGE_CONNECTABLE,
                                   L"\\\\" + server->name + L"\\" + share.name, share.comment});
        }
    } else {
        const Domain* domain = network.FindDomain(remote);
        if (!domain) return WN_BAD_NETNAME;
        for (const Server& server : domain->servers)
            entries.push_back({RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER,
                               L"\\\\" + server.name, server.comment});
    }
    opened = new ResourceEnumeration(std::move(providerName));
    opened->entries_ = std::move(entries);
    return WN_SUCCESS;
}

DWORD ResourceEnumeration::Next(DWORD& count, void* buffer, DWORD& bufferSize)
{
    if (count == 0) return WN_BAD_VALUE;  // -1 asks for as many as fit
    if (next_ >= entries_.size()) {
        count = 0;
        return WN_NO_MORE_ENTRIES;
    }
    // Structures from the front, their strings from the back.
    BYTE* base = static_cast<BYTE*>(buffer);
    size_t front = 0;
    size_t back = bufferSize & ~static_cast<DWORD>(1);
    DWORD wanted = count;
    DWORD written = 0;
    auto place = [&](const std::wstring& text) -> wchar_t* {
        if (text.empty()) return nullptr;
        back -= StringBytes(text);
        std::memcpy(base + back, text.c_str(), StringBytes(text));
        return reinterpret_cast<wchar_t*>(base + back);
    };
    while (next_ < entries_.size() && written < wanted) {
        const ResourceEntry& entry = entries_[next_];
        size_t needed = sizeof(NETRESOURCEW) + StringBytes(entry.remoteName) + StringBytes(entry.comment) +
                        StringBytes(providerName_);
        if (!buffer || back < front || back - front < needed) {
            if (written == 0) {
                bufferSize = static_cast<DWORD>(needed);
                return WN_MORE_DATA;
            }
            break;
        }
        NETRESOURCEW resource{};
        resource.dwScope = RESOURCE_GLOBALNET;
        resource.dwType = entry.type;
        resource.dwDisplayType = entry.displayType;
        resource.dwUsage = entry.usage;
        resource.lpRemoteName = place(entry.remoteName);
        resource.lpComment = place(entry.comment);
        resource.lpProvider = place(providerName_);
        std::memcpy(base + front, &resource, sizeof(resource));
        front += sizeof(NETRESOURCEW);
        ++written;
        ++next_;
    }
    count = written;
    return WN_SUCCESS;
}

}  // namespace simnet
