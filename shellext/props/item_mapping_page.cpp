#include "item_mapping_page.h"

#include "drive_combo.h"
#include "item_property_sheet.h"
#include "mapping/map_media_dialog.h"
#include "props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"

#include <commctrl.h>

namespace {

constexpr int kChoiceIds[] = {IDC_AUTOMAP_DISABLED, IDC_AUTOMAP_FREE_LETTER, IDC_AUTOMAP_ALWAYS, IDC_AUTOMAP_MULTIPLE};
constexpr int kMultipleIds[] = {IDC_AUTOMAP_MULTIPLE, IDC_AUTOMAP_LIST, IDC_AUTOMAP_ADD, IDC_AUTOMAP_REMOVE, IDC_AUTOMAP_EDIT};
constexpr int kAllMappingIds[] = {IDC_AUTOMAP_DISABLED, IDC_AUTOMAP_FREE_LETTER, IDC_AUTOMAP_ALWAYS, IDC_AUTOMAP_DRIVE_COMBO,
                                  IDC_AUTOMAP_MULTIPLE,  IDC_AUTOMAP_LIST,        IDC_AUTOMAP_ADD,    IDC_AUTOMAP_REMOVE,
                                  IDC_AUTOMAP_EDIT};
constexpr int kPathColumnWidth = 200;
constexpr int kDriveColumnWidth = 50;

UINT MappingTemplateOf(const CacheItem& item) { return item.IsMedia() ? IDD_DISC_MAPPING_PAGE : IDD_FOLDER_MAPPING_PAGE; }

void InsertColumn(HWND list, int index, UINT titleId, int width)
{
    const std::string title = CommonText(titleId);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(title.c_str());
    column.cx = width;
    ListView_InsertColumn(list, index, &column);
}

} // namespace

ItemMappingPage::ItemMappingPage(ItemPropertySheet& sheet)
    : PropertyPage(MappingTemplateOf(sheet.Stored())), sheet_(sheet)
{
}

bool ItemMappingPage::OffersMultiple() const { return TemplateId() == IDD_DISC_MAPPING_PAGE; }

bool ItemMappingPage::OnInitDialog()
{
    loading_ = true;
    const CacheItem& item = sheet_.Stored();
    HWND page = Window();
    const int choice = item.AutoMapping >= 0 && item.AutoMapping <= (OffersMultiple() ? 3 : 2) ? item.AutoMapping : 0;
    ::CheckRadioButton(page, IDC_AUTOMAP_DISABLED, IDC_AUTOMAP_MULTIPLE, kChoiceIds[choice]);
    if (!FillDriveCombo(Item(IDC_AUTOMAP_DRIVE_COMBO), item.DriveLetter))
        ::SetDlgItemTextA(page, IDC_AUTOMAP_LETTER_NOTE, FormatText(CommonText(IDS_DRIVE_LETTER_GONE_FMT), item.DriveLetter).c_str());
    if (OffersMultiple()) {
        AddColumns();
        rows_ = MappingRowsFrom(item.MultipleMapping, CommonText(IDS_MAPPING_THIS_DISC), CommonText(IDS_MAPPING_NO_DRIVE));
        ShowRows();
    } else {
        for (int id : kMultipleIds)
            ::ShowWindow(Item(id), SW_HIDE);
    }
    EnableControls();
    loading_ = false;
    return true;
}

void ItemMappingPage::AddColumns()
{
    HWND list = Item(IDC_AUTOMAP_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    InsertColumn(list, 0, IDS_MAPPING_COLUMN_PATH, kPathColumnWidth);
    InsertColumn(list, 1, IDS_MAPPING_COLUMN_DRIVE, kDriveColumnWidth);
}

void ItemMappingPage::ShowRows()
{
    HWND list = Item(IDC_AUTOMAP_LIST);
    const int selected = SelectedRow();
    ListView_DeleteAllItems(list);
    for (size_t i = 0; i < rows_.size(); ++i) {
        LVITEMA entry{};
        entry.mask = LVIF_TEXT;
        entry.iItem = static_cast<int>(i);
        entry.pszText = const_cast<char*>(rows_[i].path.c_str());
        const int index = ListView_InsertItem(list, &entry);
        ListView_SetItemText(list, index, 1, const_cast<char*>(rows_[i].letter.c_str()));
    }
    if (selected >= 0 && selected < static_cast<int>(rows_.size()))
        ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int ItemMappingPage::SelectedRow() const
{
    return ListView_GetNextItem(Item(IDC_AUTOMAP_LIST), -1, LVNI_SELECTED);
}

void ItemMappingPage::EnableControls()
{
    if (sheet_.InsideAutoMapFolder()) {
        for (int id : kAllMappingIds)
            ::EnableWindow(Item(id), FALSE);
        return;
    }
    HWND page = Window();
    ::EnableWindow(Item(IDC_AUTOMAP_DRIVE_COMBO), ::IsDlgButtonChecked(page, IDC_AUTOMAP_ALWAYS) == BST_CHECKED);
    if (!OffersMultiple())
        return;
    const bool multiple = ::IsDlgButtonChecked(page, IDC_AUTOMAP_MULTIPLE) == BST_CHECKED;
    const int row = SelectedRow();
    ::EnableWindow(Item(IDC_AUTOMAP_LIST), multiple);
    ::EnableWindow(Item(IDC_AUTOMAP_ADD), multiple);
    ::EnableWindow(Item(IDC_AUTOMAP_EDIT), multiple && row >= 0);
    // The first row is the disc itself: it can be given a letter, never removed.
    ::EnableWindow(Item(IDC_AUTOMAP_REMOVE), multiple && row > 0);
}

bool ItemMappingPage::OnCommand(int id, int code, HWND)
{
    if (loading_)
        return false;
    switch (id) {
    case IDC_AUTOMAP_DISABLED: case IDC_AUTOMAP_FREE_LETTER: case IDC_AUTOMAP_ALWAYS: case IDC_AUTOMAP_MULTIPLE:
        if (code != BN_CLICKED)
            return false;
        break;
    case IDC_AUTOMAP_DRIVE_COMBO:
        if (code != CBN_SELCHANGE)
            return false;
        // The note of a letter no longer there is answered by the choice of another.
        ::SetDlgItemTextA(Window(), IDC_AUTOMAP_LETTER_NOTE, "");
        break;
    case IDC_AUTOMAP_ADD:
        EditRow(-1);
        return true;
    case IDC_AUTOMAP_EDIT:
        EditRow(SelectedRow());
        return true;
    case IDC_AUTOMAP_REMOVE:
        RemoveRow(SelectedRow());
        return true;
    default:
        return false;
    }
    Store();
    EnableControls();
    return true;
}

bool ItemMappingPage::OnNotify(NMHDR& header, LRESULT&)
{
    if (header.idFrom != IDC_AUTOMAP_LIST)
        return false;
    if (header.code == LVN_ITEMCHANGED) {
        EnableControls();
        return true;
    }
    if (header.code == NM_DBLCLK && ::IsWindowEnabled(Item(IDC_AUTOMAP_EDIT))) {
        EditRow(SelectedRow());
        return true;
    }
    return false;
}

bool ItemMappingPage::OnApply() { return sheet_.Apply(*this); }

void ItemMappingPage::EditRow(int row)
{
    if (row >= static_cast<int>(rows_.size()) || sheet_.InsideAutoMapFolder())
        return;
    const bool adding = row < 0;
    const std::string noDrive = CommonText(IDS_MAPPING_NO_DRIVE);
    const std::vector<std::string> others =
        LettersOfOtherRows(rows_, adding ? rows_.size() : static_cast<size_t>(row), noDrive);
    const MappingRow current = adding ? MappingRow{} : rows_[static_cast<size_t>(row)];
    const std::string letter = EqualsNoCase(current.letter, noDrive) ? std::string() : current.letter;
    MapMediaDialog dialog(current.path, adding ? LaunchedAddItemPath : LaunchedEditItemPath, letter, &others);
    if (dialog.DoModal(Window()) != IDOK)
        return;
    MappingRow chosen{dialog.GetNetworkPath(), dialog.GetDriveLetter()};
    if (row == 0)
        chosen.path = current.path;   // the disc itself keeps its place and its name
    if (adding)
        rows_.push_back(std::move(chosen));
    else
        rows_[static_cast<size_t>(row)] = std::move(chosen);
    rowsEdited_ = true;
    ShowRows();
    Store();
    EnableControls();
}

void ItemMappingPage::RemoveRow(int row)
{
    if (row <= 0 || row >= static_cast<int>(rows_.size()))
        return;
    rows_.erase(rows_.begin() + row);
    rowsEdited_ = true;
    ShowRows();
    Store();
    EnableControls();
}

void ItemMappingPage::Store()
{
    CacheItem& edited = sheet_.Edited();
    HWND page = Window();
    for (int choice = 0; choice < 4; ++choice) {
        if (::IsDlgButtonChecked(page, kChoiceIds[choice]) == BST_CHECKED)
            edited.AutoMapping = choice;
    }
    // A letter or rows the user did not choose stay as they were stored.
    const std::string letter = ShownDriveLetter(Item(IDC_AUTOMAP_DRIVE_COMBO));
    if (edited.AutoMapping == 2 && !letter.empty())
        edited.DriveLetter = letter;
    if (OffersMultiple() && (edited.AutoMapping == 3 || rowsEdited_))
        edited.MultipleMapping = StoredMapping(rows_);
    SetModified();
}
