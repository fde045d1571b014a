#pragma once

#include <optional>
#include <string>

// Explorer's Find Files dialog rooted at a folder, asked for through DDE (service "Folders",
// topic "AppProperties"). The path comes from the network: it is quoted, and a path that would
// break the command (a quotation mark, a bracket, a control character) is refused.
std::optional<std::string> FindFolderCommand(const std::string& path);
// Sends the command; false (and one log line) when no DDE server took it.
bool RequestFindFiles(const std::string& path);
