#pragma once

#include <string>
#include <vector>

// The storage servers that an SLP search finds, as "\\NAME" remote names: the server's
// "SMB NAME" attribute, else the host of its service URL. Names that could not be a server
// name are refused. Runs one whole search in the calling thread.
std::vector<std::string> FindStorageServersBySlp();

// "\\NAME" for a server name or URL host taken from a network reply; empty when refused.
std::string StorageServerRemoteName(const std::string& name);
// The host of "service:lumivex.orvek://host[:port][/path]"; empty when there is none.
std::string HostOfServiceUrl(const std::string& url);
