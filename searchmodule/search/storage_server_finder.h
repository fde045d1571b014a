#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The storage servers that an SLP search finds, as "\\NAME" remote names: the server's
// "SMB NAME" attribute, else the host of its service URL. Names that could not be a server
// name are refused. Runs one whole search in the calling thread.
std::vector<std::string> FindStorageServersBySlp();

// FindStorageServersBySlp on a thread of its own, since it mostly waits for replies. An object
// that goes before its search has ended leaves the search to end on its own and drops what it
// finds, so that stopping never waits for SLP's time-outs.
class StorageServerSearch {
public:
    // onFinished is called on the search's thread once the servers are known, never after
    // the object has gone.
    explicit StorageServerSearch(std::function<void()> onFinished);
    ~StorageServerSearch();
    StorageServerSearch(const StorageServerSearch&) = delete;
    StorageServerSearch& operator=(const StorageServerSearch&) = delete;

    bool Finished() const;
    // The servers found, once Finished (empty when the search could not be started).
    std::vector<std::string> TakeServers();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

// "\\NAME" for a server name or URL host taken from a network reply; empty when refused.
std::string StorageServerRemoteName(const std::string& name);
// The host of "service:lumivex.orvek://host[:port][/path]"; empty when there is none.
std::string HostOfServiceUrl(const std::string& url);
