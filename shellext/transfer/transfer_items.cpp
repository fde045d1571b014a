#include "transfer/transfer_items.h"

TransferItem ToTransferItem(const CacheItem& item)
{
    TransferItem out;
    out.Name = item.Name;
    out.OriginalName = item.OriginalName;
    out.Type = item.Type;
    out.Comment = item.Comment;
    out.Location = item.Location;
    out.FolderPath = item.FolderPath;
    out.IconFile = item.IconFile;
    out.ItemType = item.ItemType;
    out.HasSubFolders = item.HasSubFolders;
    out.IconIndex = item.IconIndex;
    return out;
}

CacheItem ToCacheItem(const TransferItem& item)
{
    CacheItem out;
    out.Name = item.Name;
    out.OriginalName = item.OriginalName;
    out.Type = item.Type;
    out.Comment = item.Comment;
    out.Location = item.Location;
    out.FolderPath = item.FolderPath;
    out.IconFile = item.IconFile;
    // Any number is kept as it is: the type predicates treat an unknown one as no known kind.
    out.ItemType = static_cast<ListItemType>(item.ItemType);
    out.HasSubFolders = item.HasSubFolders;
    out.IconIndex = item.IconIndex;
    return out;
}

TransferItemList ToTransferItemList(const std::string& sourceFolderPath, const std::vector<CacheItem>& items)
{
    TransferItemList list;
    list.SourceFolderPath = sourceFolderPath;
    list.Items.reserve(items.size());
    for (const CacheItem& item : items)
        list.Items.push_back(ToTransferItem(item));
    return list;
}
