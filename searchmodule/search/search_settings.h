#pragma once

#include <string>
#include <vector>

// The networks and SMB domains that a full search covers, from the user's "Disc Search" key,
// and how the machine lets a search use the network, from the machine's "Disc Search" key.
struct SearchSettings {
    static constexpr unsigned kDefaultListingThreads = 8;
    static constexpr unsigned kMaxListingThreads = 64;

    // "Microsoft Windows Network": a missing value counts as on, since it is the network
    // the discs are shared on.
    bool windowsNetwork = true;
    bool netWare = false;
    // "Entire Network" of "SMB Domains": 1 every domain; 0 the domains named by the key's
    // string values. Missing: every domain unless some are named.
    bool entireNetwork = true;
    std::vector<std::string> domains;
    // "SearchThreads" (DWORD, 1 to 64): how many servers are listed at once. Missing or out of
    // range: the default.
    unsigned listingThreads = kDefaultListingThreads;

    static SearchSettings ReadForCurrentUser();

    // Case-insensitive, as domain names are.
    bool CoversDomain(const std::string& domain) const;
};
