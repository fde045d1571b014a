#pragma once

// What the public folder manager and the server data coordinator read of the user's cache and
// settings. Basalt's own: not exported.

#include "item/item.h"

#include <string>
#include <vector>

// Whether a name from outside (an index section, an entry passed in) may name a folder of the
// cache root and an export file: not empty, none of the characters a name may not hold, no
// control character, and not only dots (which would climb out of the folder).
bool IsAcceptableFolderName(const std::string& name);

// "HKEY_CURRENT_USER\<product key>\Cache": how export text names the user's cache key.
std::string CacheKeyFullName();

// The items of the cache root (none when it cannot be read).
std::vector<CacheItem> RootItems();
// The names of the root's imported public folders (item types 11 and 12).
std::vector<std::string> ImportedRootFolders();
// The folder of the root with that key name, as its own data says; false when there is none.
bool ReadRootFolder(const std::string& name, CacheItem& folder);

// The client's selection of public folders: the value names of "Public Folders" under the
// user's product key (none when the key is missing); throws RegKeyException.
std::vector<std::string> SelectedPublicFolders();
void StoreSelectedPublicFolders(const std::vector<std::string>& names);

bool ContainsNoCase(const std::vector<std::string>& names, const std::string& name);
