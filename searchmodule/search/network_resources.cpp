#include "network_resources.h"

#include "base/scoped_handle.h"

#include <cstdint>

namespace {

struct NetEnumTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::WNetCloseEnum(h); }
};
using ScopedNetEnum = ScopedHandle<NetEnumTraits>;

// Wine's mpr loops on buffers too small for one entry; 16 KB holds many entries at a time.
constexpr DWORD kEnumBufferSize = 16 * 1024;

std::string Text(const char* text) { return text ? text : ""; }

// A buffer that NETRESOURCE structures can be laid out in.
class EnumBuffer {
public:
    explicit EnumBuffer(DWORD size) { Resize(size); }
    void Resize(DWORD size) { words_.assign((size + sizeof(std::uintptr_t) - 1) / sizeof(std::uintptr_t), 0); }
    void* Data() { return words_.data(); }
    DWORD Size() const { return static_cast<DWORD>(words_.size() * sizeof(std::uintptr_t)); }

private:
    std::vector<std::uintptr_t> words_;
};

DWORD ReadAll(NETRESOURCEA* container, DWORD usage, std::vector<NetResource>& out)
{
    HANDLE raw = nullptr;
    const DWORD opened = ::WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_DISK, usage, container, &raw);
    if (opened != NO_ERROR)
        return opened;
    const ScopedNetEnum enumeration(raw);
    EnumBuffer buffer(kEnumBufferSize);
    for (;;) {
        DWORD count = 0xFFFFFFFF;
        DWORD size = buffer.Size();
        const DWORD result = ::WNetEnumResourceA(enumeration.Get(), &count, buffer.Data(), &size);
        if (result == ERROR_NO_MORE_ITEMS)
            return NO_ERROR;
        if (result == ERROR_MORE_DATA && size > buffer.Size()) {
            buffer.Resize(size);   // one entry larger than the whole buffer
            continue;
        }
        if (result != NO_ERROR)
            return result;
        if (count == 0)
            return NO_ERROR;   // a provider that says nothing more has nothing more
        const auto* resources = static_cast<const NETRESOURCEA*>(buffer.Data());
        for (DWORD i = 0; i < count; ++i) {
            const NETRESOURCEA& r = resources[i];
            out.push_back({Text(r.lpRemoteName), Text(r.lpComment), Text(r.lpProvider), r.dwDisplayType, r.dwType});
        }
    }
}

} // namespace

bool IsServerGone(DWORD error)
{
    return error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME;
}

DWORD WindowsNetwork::Open(WindowsNetwork& network)
{
    // Asked by network type, not by the provider's display name, which is a translated text.
    char name[MAX_PATH] = {};
    DWORD size = sizeof name;
    const DWORD error = ::WNetGetProviderNameA(WNNC_NET_LANMAN, name, &size);
    if (error != NO_ERROR)
        return error;
    network.provider_ = name;
    return NO_ERROR;
}

NetListing WindowsNetwork::Children(const std::string& remoteName, DWORD displayType, DWORD usage) const
{
    NETRESOURCEA container{};
    container.dwScope = RESOURCE_GLOBALNET;
    container.dwType = RESOURCETYPE_DISK;
    container.dwDisplayType = displayType;
    container.dwUsage = RESOURCEUSAGE_CONTAINER;
    container.lpRemoteName = const_cast<char*>(remoteName.c_str());
    // Naming the provider makes mpr ask it at once, so that a missing server is told at open.
    container.lpProvider = const_cast<char*>(provider_.c_str());
    NetListing listing;
    listing.error = ReadAll(&container, usage, listing.entries);
    return listing;
}

NetListing WindowsNetwork::Domains() const
{
    NetListing listing = Children(provider_, RESOURCEDISPLAYTYPE_NETWORK, RESOURCEUSAGE_CONTAINER);
    std::erase_if(listing.entries, [](const NetResource& r) { return r.displayType != RESOURCEDISPLAYTYPE_DOMAIN; });
    return listing;
}

NetListing WindowsNetwork::Servers(const std::string& domain) const
{
    NetListing listing = Children(domain, RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER);
    std::erase_if(listing.entries, [](const NetResource& r) {
        return r.displayType != RESOURCEDISPLAYTYPE_SERVER || r.remoteName.size() < 3 ||
               r.remoteName.compare(0, 2, "\\\\") != 0;
    });
    return listing;
}

NetListing WindowsNetwork::DiskShares(const std::string& server) const
{
    NetListing listing = Children(server, RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONNECTABLE);
    std::erase_if(listing.entries,
                  [](const NetResource& r) { return r.type != RESOURCETYPE_DISK || ShareNameOf(r.remoteName).empty(); });
    return listing;
}

std::string ShareNameOf(const std::string& remoteName)
{
    if (remoteName.size() < 5 || remoteName.compare(0, 2, "\\\\") != 0)
        return {};
    const size_t separator = remoteName.find('\\', 2);
    if (separator == std::string::npos || separator == 2 || remoteName.find('\\', separator + 1) != std::string::npos)
        return {};
    return remoteName.substr(separator + 1);
}
