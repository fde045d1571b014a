#pragma once

#include "item/item.h"
#include "pidl/pidl_mgr.h"

#include <objidl.h>

#include <string>

// "folder path\name", or the name alone at the root: the item's path as the search module and
// the settings program take it.
std::string ItemFullName(const CacheItem& item);

// A shortcut to an item of the namespace. A disc of the user's own folders and a launch object
// start the settings program with "-a:" or "-e:" and the item's full name, so that the shortcut
// maps the disc or runs the object as opening it in the view does; any other item (a folder, a
// disc of the all-discs folder) leads to the item's identifier list.
class ItemShortcut {
public:
    // item.FolderPath names the folder that holds the item. program is the settings program's
    // full path (empty when unknown); folder the absolute identifier list of the item's folder
    // (null when unknown).
    ItemShortcut(const CacheItem& item, const std::string& program, LPCITEMIDLIST folder);

    // False when the shortcut would lead nowhere: no program, or no identifier list.
    bool CanBeMade() const;
    // A ".lnk" file named after the item on the user's desktop.
    bool SaveOnDesktop() const;
    // The bytes of that file.
    bool Write(IStream* stream) const;

private:
    CacheItem item_;
    std::string program_;
    std::string arguments_;
    ScopedPidl target_;
};
