#pragma once

#include <optional>
#include <string>

// A registry value as the report lists it: the key path, ":  " and the value name.
std::string MakeValueEntry(const std::string& keyPath, const std::string& valueName);

struct ValueLocation {
    std::string keyPath;
    std::string valueName;
};

// Splits an entry at its last colon, both halves trimmed of spaces; nothing when the entry has
// no colon or an empty key path.
std::optional<ValueLocation> SplitValueEntry(const std::string& entry);
