#include "item/item.h"

#include "text/text_compare.h"

ListItem::ListItem(const std::string& text, ListItemType type) : columns_{text}, type_(type) {}

void ListItem::AddToItem(const std::string& text, ListItemType type)
{
    columns_.push_back(text);
    type_ = type;
}

int ListItem::GetSubItem(int column, std::string& text, ListItemType& type) const
{
    if (column < 0 || static_cast<size_t>(column) >= columns_.size())
        return 0;
    text = columns_[static_cast<size_t>(column)];
    type = type_;
    return 1;
}

std::string ListItem::GetSubItem(int column) const
{
    std::string text;
    ListItemType type;
    GetSubItem(column, text, type);
    return text;
}

int ListItem::SetSubItem(int column, const std::string& text)
{
    if (column < 0 || static_cast<size_t>(column) >= columns_.size())
        return 0;
    columns_[static_cast<size_t>(column)] = text;
    return 1;
}

int ListItem::CompareListItemTypes(ListItemType a, ListItemType b)
{
    if (a == b)
        return 0;
    auto isSystemKind = [](ListItemType t) { return t == SystemFolder || t == PublicUserFolder || t == PublicMappedFolder; };
    auto isUserKind = [](ListItemType t) { return t == UserFolder || t == MappedFolder; };
    if ((isSystemKind(a) && isSystemKind(b)) || (isUserKind(a) && isUserKind(b)))
        return 0;
    // Folder kinds in the order they come first; everything else ranks equal after them.
    for (ListItemType first : {SystemFolder, PublicUserFolder, PublicMappedFolder, UserFolder, MappedFolder}) {
        if (a == first)
            return -1;
        if (b == first)
            return 1;
    }
    return 0;
}

int CALLBACK ListItem::CompareListItems(LPARAM a, LPARAM b, LPARAM sortWord)
{
    const auto* first = reinterpret_cast<const ListItem*>(a);
    const auto* second = reinterpret_cast<const ListItem*>(b);
    const int column = LOWORD(sortWord);
    int result = CompareListItemTypes(first->type_, second->type_);
    if (result == 0)
        result = CompareNoCase(first->GetSubItem(column), second->GetSubItem(column));
    if (static_cast<ULONG_PTR>(sortWord) < 0x10000)
        result = -result;
    return result;
}
