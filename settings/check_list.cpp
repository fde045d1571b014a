#include "check_list.h"

#include "text/text_compare.h"

#include <vector>

void CheckList::Attach(HWND list)
{
    list_ = list;
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT area{};
    ::GetClientRect(list_, &area);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = (area.right - area.left) - ::GetSystemMetrics(SM_CXVSCROLL);
    ::SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void CheckList::Clear() { ListView_DeleteAllItems(list_); }

void CheckList::Add(const std::string& name, bool checked)
{
    filling_ = true;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = const_cast<char*>(name.c_str());
    const int index = static_cast<int>(::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0)
        ListView_SetCheckState(list_, index, checked ? TRUE : FALSE);
    filling_ = false;
}

int CheckList::Count() const { return ListView_GetItemCount(list_); }

std::string CheckList::Name(int index) const
{
    std::vector<char> text(1024, '\0');
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = ::SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

bool CheckList::IsChecked(int index) const { return ListView_GetCheckState(list_, index) != 0; }

int CheckList::Find(const std::string& name) const
{
    for (int index = 0; index < Count(); ++index) {
        if (EqualsNoCase(Name(index), name))
            return index;
    }
    return -1;
}

std::vector<std::string> CheckList::CheckedNames() const
{
    std::vector<std::string> names;
    for (int index = 0; index < Count(); ++index) {
        if (IsChecked(index))
            names.push_back(Name(index));
    }
    return names;
}

bool CheckList::IsCheckChange(const NMHDR& header) const
{
    if (filling_ || header.hwndFrom != list_ || header.code != LVN_ITEMCHANGED)
        return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    return (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK);
}
