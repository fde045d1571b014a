#include "item_menu.h"

#include "module_instance.h"
#include "transfer/fixed_items.h"
#include "ui/ui_handles.h"
#include "view/view_commands.h"

using namespace view_command;

namespace {

// The resource's pop-up menu, kept while resource lives.
HMENU PopupOf(const ScopedMenu& resource) { return resource ? ::GetSubMenu(resource.Get(), 0) : nullptr; }

ScopedMenu LoadResource() { return ScopedMenu(::LoadMenuA(g_hShellvueInstance, MAKEINTRESOURCEA(kItemContextMenu))); }

bool OffersForAll(UINT command, std::span<const CacheItem> items)
{
    // A click beside the items: everything but what needs a selected folder.
    if (items.empty())
        return command != kContextPasteInto;
    for (const CacheItem& item : items) {
        if (!ItemMenu::Offers(command, item))
            return false;
    }
    return true;
}

bool InsertEntry(HMENU target, UINT position, UINT type, UINT id, const std::string& text)
{
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof entry;
    entry.fMask = MIIM_FTYPE | MIIM_ID | (type == MFT_SEPARATOR ? 0u : MIIM_STRING);
    entry.fType = type;
    entry.wID = id;
    entry.dwTypeData = const_cast<char*>(text.c_str());
    return ::InsertMenuItemA(target, position, TRUE, &entry) != FALSE;
}

} // namespace

bool ItemMenu::Offers(UINT command, const CacheItem& item)
{
    // Folders that belong to the system (the folder of all discs, the namespace root, a
    // client's public folders) are neither moved, renamed nor deleted, and take nothing pasted.
    const bool fixed = StaysInPlace(item);
    const bool imported = item.ItemType == PublicUserFolder || item.ItemType == PublicMappedFolder;
    switch (command) {
    case kContextOpen:
    case kContextDesktopShortcut:
    case kContextProperties:
        return true;
    case kContextExplore:
        return item.IsFolder() || item.IsMedia();
    case kContextMapDisc:
    case kContextQuickMap:
    case kContextFindFiles:
        return item.IsMedia();
    case kContextAddToFavorites:
        return !item.IsFolder();
    case kContextCut:
    case kContextCopy:
    case kContextDelete:
        return !fixed;
    case kContextRename:
        return !fixed && !imported;
    case kContextPasteInto:
        return item.IsFolder() && !fixed;
    default:
        return false;
    }
}

std::string ItemMenu::Text(UINT command)
{
    const ScopedMenu resource = LoadResource();
    const HMENU popup = PopupOf(resource);
    char text[256] = {};
    if (!popup || ::GetMenuStringA(popup, command, text, sizeof text, MF_BYCOMMAND) <= 0)
        return {};
    return text;
}

int ItemMenu::Insert(HMENU target, UINT position, std::span<const CacheItem> items, UINT firstId, UINT lastId)
{
    const ScopedMenu resource = LoadResource();
    const HMENU popup = PopupOf(resource);
    if (!popup)
        return -1;
    int inserted = 0;
    bool separatorDue = false;
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA source{};
        source.cbSize = sizeof source;
        source.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        source.dwTypeData = text;
        source.cch = sizeof text;
        if (!::GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &source))
            continue;
        if (source.fType & MFT_SEPARATOR) {
            separatorDue = inserted > 0;
            continue;
        }
        const UINT command = source.wID;
        if (command < kFirstCommand || !OffersForAll(command, items))
            continue;
        const UINT id = firstId + (command - kFirstCommand);
        if (id < firstId || id > lastId)
            continue;
        if (separatorDue && InsertEntry(target, position + static_cast<UINT>(inserted), MFT_SEPARATOR, 0, {}))
            ++inserted;
        separatorDue = false;
        if (InsertEntry(target, position + static_cast<UINT>(inserted), MFT_STRING, id, text))
            ++inserted;
    }
    return inserted;
}
