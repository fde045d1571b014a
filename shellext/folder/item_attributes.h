#pragma once

#include "item/item.h"

#include <shlobj.h>

// What Explorer is told about one sub-folder of the namespace: every item is a folder that can
// be linked to; user and AutoMap folders can be copied, moved, renamed and dropped on; public
// folders at the root carry the shared overlay for an administrator; a folder with folders in
// it can be expanded. Reads the item's cache data; a damaged identifier gives 0.
SFGAOF AttributesOfItem(LPCITEMIDLIST item);

// The attributes that all of the items share.
SFGAOF SharedAttributes(UINT count, LPCITEMIDLIST* items);

// True for a public folder at the root seen by an administrator: it shows the shared overlay.
// Reads the item's more data from the cache.
bool ShowsAsShared(CacheItem item);
