#include "view_rows.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

// The collation key of a text, compared byte by byte in the order in which the user's locale
// compares texts without regard to case (as the list items' own comparison does).
std::string CollationKey(const std::string& text)
{
    if (text.empty())
        return {};
    // One call for the usual short text; a long one is measured first.
    char buffer[512];
    int length = ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(),
                                static_cast<int>(text.size()), buffer, sizeof buffer);
    if (length > 0)
        return std::string(buffer, static_cast<size_t>(length));
    length = ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(),
                            static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return text;
    std::string key(static_cast<size_t>(length), '\0');
    ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(), static_cast<int>(text.size()),
                   key.data(), length);
    return key;
}

} // namespace

std::string ViewRows::ColumnText(const CacheItem& item, ViewColumn column)
{
    switch (column) {
    case ViewColumn::Name:
        return item.Name;
    case ViewColumn::Type:
        return item.Type;
    case ViewColumn::Comment:
        return item.Comment;
    case ViewColumn::Server: {
        const auto first = item.Location.find_first_not_of('\\');
        return first == std::string::npos ? std::string() : item.Location.substr(first);
    }
    case ViewColumn::InFolder:
        return item.FolderPath;
    }
    return {};
}

std::string ViewRows::IdentityOf(const std::string& name, const std::string& location)
{
    std::string identity = name + '\n' + location;
    ::CharUpperBuffA(identity.data(), static_cast<DWORD>(identity.size()));
    return identity;
}

bool ViewRows::Before(const ViewRow& a, const ViewRow& b) const
{
    int order = ListItem::CompareListItemTypes(a.item.ItemType, b.item.ItemType);
    if (order == 0)
        order = a.sortKey.compare(b.sortKey);
    return ascending_ ? order < 0 : order > 0;
}

void ViewRows::PrepareSortKey(ViewRow& row) const { row.sortKey = CollationKey(ColumnText(row.item, sortColumn_)); }

std::unique_ptr<ViewRow> ViewRows::MakeRow(const CacheItem& item, int image) const
{
    auto row = std::make_unique<ViewRow>();
    row->item = item;
    row->image = image;
    row->identity = IdentityOf(item.Name, item.Location);
    PrepareSortKey(*row);
    return row;
}

size_t ViewRows::PlaceFor(const ViewRow& row) const
{
    const auto place = std::upper_bound(order_.begin(), order_.end(), &row,
                                        [this](const ViewRow* a, const std::unique_ptr<ViewRow>& b) {
                                            return Before(*a, *b);
                                        });
    return static_cast<size_t>(place - order_.begin());
}

std::optional<size_t> ViewRows::PositionOf(const ViewRow* row) const
{
    // The rows that sort equal to it lie together; it is one of them.
    auto at = std::lower_bound(order_.begin(), order_.end(), row,
                               [this](const std::unique_ptr<ViewRow>& a, const ViewRow* b) { return Before(*a, *b); });
    for (; at != order_.end() && !Before(*row, **at); ++at) {
        if (at->get() == row)
            return static_cast<size_t>(at - order_.begin());
    }
    // Not where the order says (it cannot happen while rows are only changed here): look at all.
    for (size_t i = 0; i < order_.size(); ++i) {
        if (order_[i].get() == row)
            return i;
    }
    return std::nullopt;
}

void ViewRows::Assign(std::vector<CacheItem> items, const std::vector<int>& images)
{
    Clear();
    order_.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        auto row = std::make_unique<ViewRow>();
        row->item = std::move(items[i]);
        row->image = i < images.size() ? images[i] : 0;
        row->identity = IdentityOf(row->item.Name, row->item.Location);
        if (!byIdentity_.emplace(row->identity, row.get()).second)
            continue;   // an item of that name and location is there already
        PrepareSortKey(*row);
        order_.push_back(std::move(row));
    }
    std::stable_sort(order_.begin(), order_.end(),
                     [this](const std::unique_ptr<ViewRow>& a, const std::unique_ptr<ViewRow>& b) { return Before(*a, *b); });
}

bool ViewRows::Insert(const CacheItem& item, int image)
{
    std::unique_ptr<ViewRow> row = MakeRow(item, image);
    if (byIdentity_.count(row->identity))
        return false;
    const size_t place = PlaceFor(*row);
    byIdentity_.emplace(row->identity, row.get());
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(place), std::move(row));
    return true;
}

bool ViewRows::Remove(const CacheItem& item)
{
    const auto found = byIdentity_.find(IdentityOf(item.Name, item.Location));
    if (found == byIdentity_.end())
        return false;
    const std::optional<size_t> position = PositionOf(found->second);
    byIdentity_.erase(found);
    if (position)
        order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(*position));
    return true;
}

bool ViewRows::Update(const CacheItem& item)
{
    ViewRow* found = RowOf(item);
    if (!found)
        return false;
    const std::optional<size_t> position = PositionOf(found);
    if (!position)
        return false;
    std::unique_ptr<ViewRow> row = std::move(order_[*position]);
    order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(*position));
    row->item = item;
    PrepareSortKey(*row);
    const size_t place = PlaceFor(*row);
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(place), std::move(row));
    return true;
}

ViewRow* ViewRows::RowOf(const CacheItem& item) const
{
    const auto found = byIdentity_.find(IdentityOf(item.Name, item.Location));
    return found == byIdentity_.end() ? nullptr : found->second;
}

bool ViewRows::SetImage(const CacheItem& item, int image)
{
    ViewRow* row = RowOf(item);
    if (row)
        row->image = image;
    return row != nullptr;
}

bool ViewRows::SetShared(const CacheItem& item, bool shared)
{
    ViewRow* row = RowOf(item);
    if (row)
        row->shared = shared;
    return row != nullptr;
}

void ViewRows::Clear()
{
    order_.clear();
    byIdentity_.clear();
}

std::optional<size_t> ViewRows::Find(const CacheItem& item) const { return FindByName(item.Name, item.Location); }

std::optional<size_t> ViewRows::FindByName(const std::string& name, const std::string& location) const
{
    const auto found = byIdentity_.find(IdentityOf(name, location));
    if (found == byIdentity_.end())
        return std::nullopt;
    return PositionOf(found->second);
}

void ViewRows::Sort(ViewColumn column, bool ascending)
{
    sortColumn_ = column;
    ascending_ = ascending;
    for (std::unique_ptr<ViewRow>& row : order_)
        PrepareSortKey(*row);
    std::stable_sort(order_.begin(), order_.end(),
                     [this](const std::unique_ptr<ViewRow>& a, const std::unique_ptr<ViewRow>& b) { return Before(*a, *b); });
}
