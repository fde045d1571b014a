// NPOpenEnum, NPEnumResource, NPCloseEnum.
#include <mutex>
#include <set>

#include "provider_exports.h"
#include "provider_settings.h"
#include "resource_enumeration.h"

namespace {

// Handles mpr holds; anything else it passes back is refused instead of dereferenced.
class OpenEnumerations {
public:
    HANDLE Add(simnet::ResourceEnumeration* enumeration)
    {
        std::lock_guard lock(mutex_);
        open_.insert(enumeration);
        return enumeration;
    }
    simnet::ResourceEnumeration* Find(HANDLE handle)
    {
        std::lock_guard lock(mutex_);
        auto it = open_.find(static_cast<simnet::ResourceEnumeration*>(handle));
        return it == open_.end() ? nullptr : *it;
    }
    bool Close(HANDLE handle)
    {
        std::lock_guard lock(mutex_);
        auto it = open_.find(static_cast<simnet::ResourceEnumeration*>(handle));
        if (it == open_.end()) return false;
        delete *it;
        open_.erase(it);
        return true;
    }

private:
    std::mutex mutex_;
    std::set<simnet::ResourceEnumeration*> open_;
};

OpenEnumerations& Enumerations()
{
    static OpenEnumerations enumerations;
    return enumerations;
}

// Listing a server's shares costs the network's latency; a dead server keeps the caller for
// the whole time-out and then fails as a server that cannot be reached does.
DWORD WaitAsTheServerWould(const simnet::NetworkDescription& network, const NETRESOURCEW* container)
{
    const wchar_t* remote = container ? container->lpRemoteName : nullptr;
    if (!remote || remote[0] != L'\\' || remote[1] != L'\\') return WN_SUCCESS;
    const simnet::Server* server = network.FindServer(remote + 2);
    if (server && server->dead) {
        Sleep(network.TimeoutMs());
        return ERROR_BAD_NETPATH;
    }
    Sleep(network.LatencyMs());
    return WN_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI NPOpenEnum(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW container, LPHANDLE enumeration)
{
    if (!enumeration) return WN_BAD_POINTER;
    try {
        // Wine's WNetEnumResource crashes on context entries from a provider: there are none.
        if (scope == RESOURCE_CONTEXT) {
            *enumeration = Enumerations().Add(simnet::ResourceEnumeration::Empty(simnet::ProviderName()));
            return WN_SUCCESS;
        }
        if (scope != RESOURCE_GLOBALNET) return WN_NOT_SUPPORTED;
        std::shared_ptr<const simnet::NetworkDescription> network = simnet::CurrentNetworkDescription();
        if (!network) return WN_NO_NETWORK;
        if (DWORD failed = WaitAsTheServerWould(*network, container); failed != WN_SUCCESS) return failed;
        simnet::ResourceEnumeration* opened = nullptr;
        DWORD result = simnet::ResourceEnumeration::Open(*network, container, type, usage, simnet::ProviderName(), opened);
        if (result != WN_SUCCESS) return result;
        *enumeration = Enumerations().Add(opened);
        return WN_SUCCESS;
    } catch (const std::bad_alloc&) {
        return WN_OUT_OF_MEMORY;
    }
}

extern "C" DWORD WINAPI NPEnumResource(HANDLE enumeration, LPDWORD count, LPVOID buffer, LPDWORD bufferSize)
{
    if (!count || !bufferSize) return WN_BAD_POINTER;
    simnet::ResourceEnumeration* open = Enumerations().Find(enumeration);
    if (!open) return WN_BAD_HANDLE;
    return open->Next(*count, buffer, *bufferSize);
}

extern "C" DWORD WINAPI NPCloseEnum(HANDLE enumeration)
{
    return Enumerations().Close(enumeration) ? WN_SUCCESS : WN_BAD_HANDLE;
}
