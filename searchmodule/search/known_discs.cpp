#include "known_discs.h"

#include "cache/cache.h"
#include "text/ansi_text.h"
#include "upper_text.h"

namespace {

// The database keeps this much of a location or a name.
constexpr size_t kStoredTextSize = 255;

} // namespace

KnownDiscs KnownDiscs::ReadDatabase()
{
    KnownDiscs known;
    // The root folder in read-all mode opens the database whatever kind of user this is.
    Cache allDiscs(CacheAllDiscs, "");
    known.types_.reserve(allDiscs.ItemCount());
    for (CacheIterator it = allDiscs.Begin(); it != allDiscs.End(); ++it)
        known.Insert(**it);
    return known;
}

std::string KnownDiscs::KeyOf(const CacheItem& disc)
{
    return UpperText(TruncateAnsi(disc.Location, kStoredTextSize)) + '\n' +
           UpperText(TruncateAnsi(disc.Name, kStoredTextSize));
}

void KnownDiscs::Insert(const CacheItem& disc)
{
    types_[KeyOf(disc)] = disc.ItemType;
}

bool KnownDiscs::Contains(const CacheItem& disc) const
{
    const auto found = types_.find(KeyOf(disc));
    return found != types_.end() && found->second == disc.ItemType;
}

std::optional<ListItemType> KnownDiscs::StoredType(const CacheItem& disc) const
{
    const auto found = types_.find(KeyOf(disc));
    if (found == types_.end())
        return std::nullopt;
    return found->second;
}
