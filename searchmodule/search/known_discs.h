#pragma once

#include "item/item.h"

#include <optional>
#include <string>
#include <unordered_map>

// The discs of the database when a search starts, read once, so that the discs a search adds
// can be told from those it finds again in constant time each.
class KnownDiscs {
public:
    // Reads the database of all discs (empty when there is none yet).
    static KnownDiscs ReadDatabase();

    void Insert(const CacheItem& disc);
    // Same server and share name (case-insensitive) and same item type.
    bool Contains(const CacheItem& disc) const;
    // The item type stored for the same server and share name, if any.
    std::optional<ListItemType> StoredType(const CacheItem& disc) const;
    size_t Size() const { return types_.size(); }

private:
    static std::string KeyOf(const CacheItem& disc);

    std::unordered_map<std::string, ListItemType> types_;
};
