#pragma once

#include "item/item.h"
#include "ui/ui_handles.h"

#include <string>

// What the General pages say of an item, beyond its own fields.

// Where the item is: a disc by its network path, anything else by its place in the namespace.
std::string LocationOf(const CacheItem& item);
// The server of a disc, without the leading backslashes; empty for what is on no server.
std::string ServerOf(const CacheItem& item);
// The large icon of an item type, as the list shows it.
ScopedIcon LargeIconOf(ListItemType type);

// The type of the folder at folderPath, as the cache holds it.
ListItemType HoldingFolderType(const std::string& folderPath);
bool IsAutoMapFolderType(ListItemType type);
// The name, comment and icon of source, taken over by target (what the search module stored).
void TakeDataSet1(CacheItem& target, const CacheItem& source);
