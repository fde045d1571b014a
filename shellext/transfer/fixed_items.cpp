#include "transfer/fixed_items.h"

bool StaysInPlace(const CacheItem& item) { return item.IsSystemFolder() || item.ItemType == RootFolder; }

bool TakesItems(const CacheItem& folder) { return !folder.IsSystemFolder(); }
