#pragma once

#include "probestar_api.h"

class LumivexService;

// What the owner of a search implements to receive the storage servers found.
class PROBESTAR_API DiscoveryReplyInterface {
public:
    virtual ~DiscoveryReplyInterface() = default;
    // Called once per storage server found, in the thread that runs the search; the receiver
    // owns the service from then on.
    virtual void ServiceFound(LumivexService* service) noexcept = 0;
};

// A search of the network for storage servers.
class PROBESTAR_API DiscoverySearch {
public:
    virtual ~DiscoverySearch();
    // Runs one whole search and returns when it is over.
    virtual void StartSearch(DiscoveryReplyInterface* reply, bool flag) = 0;
};
