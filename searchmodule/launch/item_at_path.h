#pragma once

#include "item/item.h"

#include <functional>
#include <optional>
#include <string>

// The item named by a full namespace path (folder path, a backslash, the item's name) that
// also passes the test, with its extra data; its FolderPath names the folder that holds it.
std::optional<CacheItem> FindItemAtPath(const std::string& itemPath, const std::function<bool(const CacheItem&)>& wanted);
