// NPAddConnection, NPAddConnection3, NPCancelConnection: drive letters onto the unc tree.
#include <optional>
#include <string>
#include <string_view>

#include "mount_manager.h"
#include "provider_exports.h"
#include "provider_settings.h"

namespace {

constexpr std::string_view kUncFolder = "unc/";

struct RemoteShare {
    std::wstring server;
    std::wstring share;
};

// "\\SERVER\SHARE" (a trailing backslash allowed); anything else is no share name.
std::optional<RemoteShare> ParseRemoteName(const wchar_t* remote)
{
    if (!remote || remote[0] != L'\\' || remote[1] != L'\\') return std::nullopt;
    std::wstring_view rest(remote + 2);
    if (!rest.empty() && rest.back() == L'\\') rest.remove_suffix(1);
    size_t slash = rest.find(L'\\');
    if (slash == std::wstring_view::npos || slash == 0 || slash + 1 == rest.size()) return std::nullopt;
    if (rest.find(L'\\', slash + 1) != std::wstring_view::npos) return std::nullopt;
    return RemoteShare{std::wstring(rest.substr(0, slash)), std::wstring(rest.substr(slash + 1))};
}

// "X:" names a drive letter; empty means a connection without one.
std::optional<wchar_t> ParseDriveName(std::wstring_view name)
{
    if (name.size() != 2 || name[1] != L':') return std::nullopt;
    wchar_t letter = name[0];
    if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z') return std::nullopt;
    return letter;
}

bool DriveInUse(wchar_t letter)
{
    return (GetLogicalDrives() & (1u << (letter - L'A'))) != 0;
}

std::string MountPoint(const simnet::Server& server, const simnet::Share& share)
{
    // Names of the description are ASCII.
    std::string point(kUncFolder);
    point.append(server.name.begin(), server.name.end());
    point += '/';
    point.append(share.name.begin(), share.name.end());
    return point;
}

DWORD AddConnection(const NETRESOURCEW* resource)
{
    if (!resource) return WN_BAD_POINTER;
    if (resource->dwType != RESOURCETYPE_ANY && resource->dwType != RESOURCETYPE_DISK) return WN_BAD_DEV_TYPE;
    std::optional<RemoteShare> remote = ParseRemoteName(resource->lpRemoteName);
    if (!remote) return WN_BAD_NETNAME;
    std::shared_ptr<const simnet::NetworkDescription> network = simnet::CurrentNetworkDescription();
    if (!network) return WN_NO_NETWORK;
    Sleep(network->LatencyMs());  // asking the server costs a round trip
    const simnet::Server* server = network->FindServer(remote->server);
    if (!server) return ERROR_BAD_NETPATH;
    const simnet::Share* share = network->FindShare(*server, remote->share);
    if (!share) return WN_BAD_NETNAME;

    std::wstring_view localName = resource->lpLocalName ? resource->lpLocalName : L"";
    if (localName.empty()) return WN_SUCCESS;  // the unc tree is always reachable without a letter
    std::optional<wchar_t> letter = ParseDriveName(localName);
    if (!letter) return WN_BAD_LOCALNAME;
    if (DriveInUse(*letter)) return WN_ALREADY_CONNECTED;
    return simnet::MountManager().DefineRemoteDrive(*letter, MountPoint(*server, *share));
}

DWORD CancelConnection(const wchar_t* name)
{
    if (!name) return WN_BAD_POINTER;
    std::optional<wchar_t> letter = ParseDriveName(name);
    if (!letter) {
        // Connections without a letter hold no state here; only a share of the network has one.
        std::optional<RemoteShare> remote = ParseRemoteName(name);
        if (!remote) return WN_NOT_CONNECTED;
        std::shared_ptr<const simnet::NetworkDescription> network = simnet::CurrentNetworkDescription();
        const simnet::Server* server = network ? network->FindServer(remote->server) : nullptr;
        return server && network->FindShare(*server, remote->share) ? WN_SUCCESS : WN_NOT_CONNECTED;
    }
    simnet::MountManager mountManager;
    std::optional<simnet::DriveDefinition> drive = mountManager.QueryDrive(*letter);
    if (!drive || drive->type != DRIVE_REMOTE || drive->mountPoint.rfind(kUncFolder, 0) != 0)
        return WN_NOT_CONNECTED;
    return mountManager.RemoveDrive(*letter);
}

}  // namespace

extern "C" DWORD WINAPI NPAddConnection(LPNETRESOURCEW resource, LPWSTR, LPWSTR)
{
    try {
        return AddConnection(resource);
    } catch (const std::bad_alloc&) {
        return WN_OUT_OF_MEMORY;
    }
}

extern "C" DWORD WINAPI NPAddConnection3(HWND, LPNETRESOURCEW resource, LPWSTR, LPWSTR, DWORD)
{
    try {
        return AddConnection(resource);
    } catch (const std::bad_alloc&) {
        return WN_OUT_OF_MEMORY;
    }
}

extern "C" DWORD WINAPI NPCancelConnection(LPWSTR name, BOOL)
{
    try {
        return CancelConnection(name);
    } catch (const std::bad_alloc&) {
        return WN_OUT_OF_MEMORY;
    }
}
