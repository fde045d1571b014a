#pragma once

#include "item/item.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"

#include <string>

// The user's cache tree as tests build it, in whatever registry the process sees.
inline RegKey CacheKey(const std::string& path)
{
    std::string key = std::string(kProductKey) + "\\Cache";
    if (!path.empty())
        key += "\\" + path;
    return RegKey::CURRENT_USER.CreateKey(key);
}

// A folder of the tree with its own data, as the suite writes it.
inline void MakeFolder(const std::string& path, const std::string& name, ListItemType type)
{
    RegKey key = CacheKey(path);
    key.SetStringValue("Name", name);
    key.SetStringValue("OriginalName", name);
    key.SetDWORDValue("ItemType", type);
    key.SetDWORDValue("HasSubFolders", 0);
}
