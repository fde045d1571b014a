#pragma once

#include <windows.h>
#include <winnetwk.h>

#include <string>
#include <vector>

// One entry of a network enumeration.
struct NetResource {
    std::string remoteName;
    std::string comment;
    std::string provider;
    DWORD displayType = 0;
    DWORD type = 0;
};

// The children of one container, or the error that stopped the listing (then the entries
// already read are incomplete and must not be taken for the whole).
struct NetListing {
    DWORD error = NO_ERROR;
    std::vector<NetResource> entries;
    bool Complete() const { return error == NO_ERROR; }
};

// The Microsoft Windows Network as the networking API lists it (global scope, disk
// resources): provider, domains, servers ("\\SERVER"), disk shares ("\\SERVER\SHARE").
class WindowsNetwork {
public:
    // Finds the provider of the LAN Manager network type; error when there is none.
    static DWORD Open(WindowsNetwork& network);

    NetListing Domains() const;
    NetListing Servers(const std::string& domain) const;
    // A server that is not on the network answers ERROR_BAD_NETPATH or ERROR_BAD_NET_NAME.
    NetListing DiskShares(const std::string& server) const;

    const std::string& Provider() const { return provider_; }

private:
    NetListing Children(const std::string& remoteName, DWORD displayType, DWORD usage) const;

    std::string provider_;
};

// "SHARE" of "\\SERVER\SHARE"; empty for anything else.
std::string ShareNameOf(const std::string& remoteName);

// True for the errors by which a server tells that it does not exist (any more).
bool IsServerGone(DWORD error);
