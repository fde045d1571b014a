#include "item_at_path.h"

#include "cache/cache.h"
#include "text/text_compare.h"

std::optional<CacheItem> FindItemAtPath(const std::string& itemPath, const std::function<bool(const CacheItem&)>& wanted)
{
    const auto slash = itemPath.find_last_of('\\');
    const std::string folderPath = slash == std::string::npos ? std::string() : itemPath.substr(0, slash);
    const std::string name = slash == std::string::npos ? itemPath : itemPath.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    Cache folder(CacheReadFolder, folderPath);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
        const CacheItem& item = **it;
        if (!EqualsNoCase(item.Name, name) || !wanted(item))
            continue;
        CacheItem found(item);
        found.FolderPath = folderPath;
        found.GetMoreData();
        return found;
    }
    return std::nullopt;
}
