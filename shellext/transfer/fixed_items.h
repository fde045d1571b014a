#pragma once

#include "item/item.h"

// The folders that belong to the system stay where they are: the folder of all discs, the
// namespace root and the public folders a client imported. The same rule serves the clipboard,
// drag and drop, the tree's commands and a replace: such a folder is never copied, cut, dragged,
// moved or replaced.
bool StaysInPlace(const CacheItem& item);

// Whether items may be pasted or dropped into the folder: not into the folder of all discs,
// whose discs come from the searches, nor into a client's public folders, which are the
// administrator's.
bool TakesItems(const CacheItem& folder);
