#include "find_search.h"

#include "cache/cache.h"
#include "find_name_match.h"

namespace {

class CacheWalk {
public:
    CacheWalk(const FindRequest& request, const std::function<bool()>& keepSearching,
              const std::function<void(FoundItem&&)>& found)
        : request_(request), keepSearching_(keepSearching), found_(found)
    {
    }

    void Search(const std::string& folderPath)
    {
        Cache folder(CacheReadFolder, folderPath);
        for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
            if (!keepSearching_())
                throw FindMediaCanceledException();
            const CacheItem* item = *it;
            if (!item)
                continue;
            if (request_.includeSubfolders && item->IsFolder())
                Search(folderPath.empty() ? item->Name : folderPath + "\\" + item->Name);
            if (!FindNameMatches(item->Name, request_.pattern))
                continue;
            FoundItem result{*item, folderPath};
            if (result.item.InitStruct())
                found_(std::move(result));
        }
    }

private:
    const FindRequest& request_;
    const std::function<bool()>& keepSearching_;
    const std::function<void(FoundItem&&)>& found_;
};

} // namespace

void SearchCache(const FindRequest& request, const std::function<bool()>& keepSearching,
                 const std::function<void(FoundItem&&)>& found)
{
    CacheWalk(request, keepSearching, found).Search(request.folder);
}
