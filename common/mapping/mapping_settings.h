#pragma once

#include "basalt_api.h"
#include "item/item.h"

// The item whose AutoMapping settings apply when an item is opened: the AutoMap folder that
// holds it, whose settings govern everything inside, else the item itself (read with its extra
// data). item.FolderPath names the folder that holds it.
BASALT_API CacheItem MappingSettingsOf(const CacheItem& item);
