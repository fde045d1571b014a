#include "item_facts.h"

#include "cache/cache.h"
#include "list/item_images.h"
#include "mapping/disc_opening.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"

#include <commctrl.h>

std::string LocationOf(const CacheItem& item)
{
    if (item.IsMedia())
        return DiscNetworkPath(item);
    const std::string root = BrandingText(IDS_BRAND_NAMESPACE_NAME);
    return item.FolderPath.empty() ? root : root + "\\" + item.FolderPath;
}

std::string ServerOf(const CacheItem& item)
{
    if (!item.IsMedia())
        return {};
    const std::string& location = item.Location;
    const size_t start = location.rfind("\\\\", 0) == 0 ? 2 : 0;
    return location.substr(start, location.find('\\', start) - start);
}

ScopedIcon LargeIconOf(ListItemType type)
{
    const ItemImages images(g_hBrandingInstance);
    return ScopedIcon(::ImageList_GetIcon(images.Large(), images.ImageOf(type), ILD_NORMAL));
}

ListItemType HoldingFolderType(const std::string& folderPath)
{
    const Cache holder(CacheFolderOnly, folderPath);
    CacheItem folder;
    holder.GetOpenedFolderData(folder);
    return folder.ItemType;
}

bool IsAutoMapFolderType(ListItemType type) { return type == MappedFolder || type == PublicMappedFolder; }

void TakeDataSet1(CacheItem& target, const CacheItem& source)
{
    target.Name = source.Name;
    target.OriginalName = source.OriginalName;
    target.Comment = source.Comment;
    target.IconFile = source.IconFile;
    target.IconIndex = source.IconIndex;
}
