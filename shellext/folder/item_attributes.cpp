#include "item_attributes.h"

#include "cache/cache.h"
#include "pidl/pidl_mgr.h"
#include "settings/auxiliary.h"

namespace {

constexpr SFGAOF kEveryItem = SFGAO_FOLDER | SFGAO_CANLINK;
constexpr SFGAOF kEditable = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_DROPTARGET;

bool HasFolderInside(const std::string& fullName)
{
    Cache folder(CacheReadFolder, fullName);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
        if (*it && (*it)->IsFolder())
            return true;
    }
    return false;
}

} // namespace

SFGAOF AttributesOfItem(LPCITEMIDLIST item)
{
    CacheItem data;
    if (!PidlMgr::PidlToCacheItem(item, data))
        return 0;
    SFGAOF attributes = kEveryItem;
    if (ShowsAsShared(data))
        attributes |= SFGAO_SHARE;
    if (data.ItemType != SystemFolder && data.ItemType != PublicUserFolder && data.ItemType != PublicMappedFolder)
        attributes |= kEditable;
    std::string fullName;
    PidlMgr::GetItemFullName(item, fullName);
    if (!PidlMgr::IsSystemFolder(item) && HasFolderInside(fullName))
        attributes |= SFGAO_HASSUBFOLDER;
    return attributes;
}

bool ShowsAsShared(CacheItem item)
{
    if (!item.IsFolder() || !item.FolderPath.empty())
        return false;
    item.GetMoreData();
    return item.PublicFolder && AuxiliaryFunctions::GetUser() == ItemCreatorServer;
}

SFGAOF SharedAttributes(UINT count, LPCITEMIDLIST* items)
{
    if (count == 0 || !items)
        return 0;
    SFGAOF shared = ~SFGAOF{0};
    for (UINT i = 0; i < count; ++i)
        shared &= AttributesOfItem(items[i]);
    return shared;
}
