#pragma once

#include "item/item.h"

#include <windows.h>

#include <span>
#include <string>

// The item context menu (menu resource 147) as it suits the items it is shown for: the list's
// right click and the tree's context menu both build it here. It holds the commands of the
// resource that apply to every one of the items, in the resource's order and with its texts,
// its groups kept apart by single separators. Without items (a click beside them) it holds
// every command.
class ItemMenu {
public:
    // The lowest command id of the resource; a command's offset is its id less this.
    static constexpr UINT kFirstCommand = 0x8000;

    // Whether a command of the resource is offered for the item.
    static bool Offers(UINT command, const CacheItem& item);

    // The text of a command of the resource; empty when it has none.
    static std::string Text(UINT command);

    // Inserts the menu into target from position on. A command gets the id firstId plus its
    // offset and is left out when that passes lastId (a host gives us only so many ids).
    // Returns the number of entries inserted, separators included; -1 when the resource
    // cannot be loaded.
    static int Insert(HMENU target, UINT position, std::span<const CacheItem> items, UINT firstId, UINT lastId);
};
