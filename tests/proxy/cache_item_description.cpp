#include "cache_item_description.h"

#include <array>
#include <utility>

namespace {

using StringField = std::pair<const wchar_t*, const WCHAR*>;

std::array<StringField, 7> StringFieldsOf(const CacheItemStruct& item)
{
    return {{{L"Name", item.Name},
             {L"OriginalName", item.OriginalName},
             {L"Type", item.Type},
             {L"Comment", item.Comment},
             {L"Location", item.Location},
             {L"FolderPath", item.FolderPath},
             {L"IconFile", item.IconFile}}};
}

// Groups of fields that share one string, each as "A+B", separated by commas.
std::wstring DescribeSharing(const std::array<StringField, 7>& fields)
{
    std::wstring sharing;
    for (size_t first = 0; first < fields.size(); ++first) {
        const WCHAR* text = fields[first].second;
        if (text == nullptr)
            continue;
        bool sharedWithEarlier = false;
        for (size_t earlier = 0; earlier < first; ++earlier)
            sharedWithEarlier = sharedWithEarlier || fields[earlier].second == text;
        if (sharedWithEarlier)
            continue;
        std::wstring group = fields[first].first;
        for (size_t later = first + 1; later < fields.size(); ++later) {
            if (fields[later].second == text)
                group += L"+" + std::wstring(fields[later].first);
        }
        if (group != fields[first].first)
            sharing += (sharing.empty() ? L"" : L",") + group;
    }
    return sharing;
}

} // namespace

std::wstring QuoteOrNull(const WCHAR* text)
{
    return text == nullptr ? L"null" : L"\"" + std::wstring(text) + L"\"";
}

std::wstring DescribeCacheItem(const CacheItemStruct& item)
{
    const auto fields = StringFieldsOf(item);
    std::wstring description;
    for (const auto& [name, text] : fields)
        description += std::wstring(name) + L"=" + QuoteOrNull(text) + L" ";
    description += L"ItemType=" + std::to_wstring(item.ItemType);
    description += L" HasSubFolders=" + std::to_wstring(item.HasSubFolders);
    description += L" IconIndex=" + std::to_wstring(item.IconIndex);
    const std::wstring sharing = DescribeSharing(fields);
    if (!sharing.empty())
        description += L" shared=" + sharing;
    return description;
}
