#pragma once

#include "item/item.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The columns a view can show, in the order of their texts in the string table.
enum class ViewColumn { Name = 0, Type = 1, Comment = 2, Server = 3, InFolder = 4 };

// One row of a view: the item, its image, where it is known, and the collation key of the
// sort column.
struct ViewRow {
    CacheItem item;
    int image = 0;
    // A public folder shared with clients: its image carries the shared overlay.
    bool shared = false;
    std::string identity;
    std::string sortKey;
};

// The rows of one view in display order: the list control is virtual and draws from here, so
// that thousands of rows cost no window work, and a row added while a search runs moves only
// pointers to find its place. Rows sort as list items do
// (folders first by kind, then the column's text without regard to case; descending reverses
// both); an item is known by its name and location, and each is there once.
class ViewRows {
public:
    // The text of a column for an item: the server without its leading backslashes, the
    // namespace path of the item's folder for "In Folder".
    static std::string ColumnText(const CacheItem& item, ViewColumn column);

    size_t Size() const { return order_.size(); }
    const ViewRow& At(size_t index) const { return *order_[index]; }
    ViewColumn SortColumn() const { return sortColumn_; }
    bool Ascending() const { return ascending_; }

    // Replaces every row, sorted by the current order.
    void Assign(std::vector<CacheItem> items, const std::vector<int>& images);
    // Puts the item at its place in the order; false, changing nothing, when an item of that
    // name and location is listed already.
    bool Insert(const CacheItem& item, int image);
    // False when no row has the item's name and location.
    bool Remove(const CacheItem& item);
    // Rewrites the row of the item's name and location and moves it to its new place.
    bool Update(const CacheItem& item);
    bool SetImage(const CacheItem& item, int image);
    bool SetShared(const CacheItem& item, bool shared);
    void Clear();

    // The row of an item (by name and location).
    std::optional<size_t> Find(const CacheItem& item) const;
    std::optional<size_t> FindByName(const std::string& name, const std::string& location) const;

    void Sort(ViewColumn column, bool ascending);

    // Where an item is known: its name and location, without regard to case.
    static std::string IdentityOf(const std::string& name, const std::string& location);

private:
    ViewRow* RowOf(const CacheItem& item) const;
    bool Before(const ViewRow& a, const ViewRow& b) const;
    void PrepareSortKey(ViewRow& row) const;
    size_t PlaceFor(const ViewRow& row) const;
    std::optional<size_t> PositionOf(const ViewRow* row) const;
    std::unique_ptr<ViewRow> MakeRow(const CacheItem& item, int image) const;

    std::vector<std::unique_ptr<ViewRow>> order_;
    std::unordered_map<std::string, ViewRow*> byIdentity_;
    ViewColumn sortColumn_ = ViewColumn::Name;
    bool ascending_ = true;
};
