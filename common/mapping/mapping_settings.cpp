#include "mapping/mapping_settings.h"

#include "cache/cache.h"

CacheItem MappingSettingsOf(const CacheItem& item)
{
    if (!item.FolderPath.empty()) {
        CacheItem folder;
        Cache holder(CacheFolderOnly, item.FolderPath);
        holder.GetOpenedFolderData(folder);
        if (folder.IsMappedFolder()) {
            folder.GetMoreData();
            return folder;
        }
    }
    CacheItem own(item);
    own.GetMoreData();
    return own;
}
