#include "item_mapping_page.h"

#include "drive_combo.h"
#include "mapping_page_host.h"
#include "mapping/map_media_dialog.h"
#include "props_ids.h"
#include "report_list.h"
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

UINT MappingTemplateOf(const CacheItem& item)
{
    if (item.ItemType == LaunchObject)
        return IDD_LO_MAPPING_PAGE;
    return item.IsMedia() ? IDD_DISC_MAPPING_PAGE : IDD_FOLDER_MAPPING_PAGE;
}

} // namespace

ItemMappingPage::ItemMappingPage(MappingPageHost& sheet)
    : PropertyPage(MappingTemplateOf(sheet.Stored())), sheet_(sheet)
{
}

bool ItemMappingPage::OffersMultiple() const { return TemplateId() != IDD_FOLDER_MAPPING_PAGE; }

bool ItemMappingPage::ForLaunchObject() const { return TemplateId() == IDD_LO_MAPPING_PAGE; }

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
        const UINT ownRow = ForLaunchObject() ? IDS_MAPPING_TARGET_FILE_PATH : IDS_MAPPING_THIS_DISC;
        rows_ = MappingRowsFrom(item.MultipleMapping, CommonText(ownRow), CommonText(IDS_MAPPING_NO_DRIVE));
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
    InsertReportColumn(list, 0, IDS_MAPPING_COLUMN_PATH, kPathColumnWidth);
    InsertReportColumn(list, 1, IDS_MAPPING_COLUMN_DRIVE, kDriveColumnWidth);
}

void ItemMappingPage::ShowRows()
{
    std::vector<std::pair<std::string, std::string>> shown;
    for (const MappingRow& row : rows_)
        shown.emplace_back(row.path, row.letter);
    ShowReportRows(Item(IDC_AUTOMAP_LIST), shown, SelectedRow());
}

int ItemMappingPage::SelectedRow() const
{
    return SelectedReportRow(Item(IDC_AUTOMAP_LIST));
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
    const MapDialogLaunch mode = ForLaunchObject() ? (adding ? LaunchedAddLOPath : LaunchedEditLOPath)
                                                   : (adding ? LaunchedAddItemPath : LaunchedEditItemPath);
    MapMediaDialog dialog(current.path, mode, letter, &others);
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
