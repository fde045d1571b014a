#pragma once

#include <optional>
#include <string>

// Whether a new name may be given to an item of the folder at folderPath: trims blanks from
// both ends of name, then answers the message that tells the user why not (an empty name, a
// character a name cannot hold, a registry path of 240 characters or more), or none.
std::optional<std::string> CheckNewName(const std::string& folderPath, const std::string& currentName,
                                        std::string& name);
