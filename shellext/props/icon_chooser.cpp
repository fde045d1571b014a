#include "icon_chooser.h"

#include "file_choice.h"
#include "module_instance.h"
#include "props_ids.h"
#include "report_list.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace {

// More than any file of icons a user would pick from holds.
constexpr UINT kMostIcons = 1000;

} // namespace

IconChooser::IconChooser(std::string file, int index)
    : Dialog(IDD_CHANGE_ICON, g_hShellvueInstance), file_(std::move(file)), index_(std::max(index, 0))
{
}

bool IconChooser::OnInitDialog()
{
    ::SetDlgItemTextA(Window(), IDC_ICON_FILE, file_.c_str());
    // A first file without icons is just an empty list: the user has not chosen it here.
    if (!file_.empty() && ShowIconsOf(file_))
        SelectReportRow(Item(IDC_ICON_LIST), index_);
    return true;
}

bool IconChooser::ShowIconsOf(const std::string& file)
{
    HWND list = Item(IDC_ICON_LIST);
    ListView_DeleteAllItems(list);
    shownFile_ = file;
    const UINT count = std::min(::ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0), kMostIcons);
    const int size = ::GetSystemMetrics(SM_CXICON);
    icons_ = ScopedImageList(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(count), 0));
    ListView_SetImageList(list, icons_.Get(), LVSIL_NORMAL);
    for (UINT i = 0; i < count; ++i) {
        HICON large = nullptr;
        if (::ExtractIconExA(file.c_str(), static_cast<int>(i), &large, nullptr, 1) == 0 || !large)
            continue;
        const ScopedIcon icon(large);
        LVITEMA entry{};
        entry.mask = LVIF_IMAGE | LVIF_PARAM;
        entry.iItem = static_cast<int>(i);
        entry.iImage = ::ImageList_AddIcon(icons_.Get(), icon.Get());
        entry.lParam = static_cast<LPARAM>(i);
        ListView_InsertItem(list, &entry);
    }
    return ListView_GetItemCount(list) > 0;
}

void IconChooser::RefuseFile(const std::string& file)
{
    ShowErrorPrompt(Window(), FormatText(CommonText(IDS_ERR_FILE_HAS_NO_ICONS_FMT), file));
    ::SetFocus(Item(IDC_ICON_FILE));
    ::SendDlgItemMessageA(Window(), IDC_ICON_FILE, EM_SETSEL, 0, -1);
}

void IconChooser::Browse()
{
    const auto file = ChooseFile(Window(), WindowString(Item(IDC_ICON_FILE)), std::string());
    if (!file)
        return;
    ::SetDlgItemTextA(Window(), IDC_ICON_FILE, file->c_str());
    if (ShowIconsOf(*file))
        SelectReportRow(Item(IDC_ICON_LIST), 0);
    else
        RefuseFile(*file);
}

bool IconChooser::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_ICON_BROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void IconChooser::OnOK()
{
    const std::string file = WindowString(Item(IDC_ICON_FILE));
    // A file typed and not listed yet is listed first, for the user to pick from.
    if (file != shownFile_ || ListView_GetItemCount(Item(IDC_ICON_LIST)) == 0) {
        if (ShowIconsOf(file))
            SelectReportRow(Item(IDC_ICON_LIST), 0);
        else
            RefuseFile(file);
        return;
    }
    const int row = SelectedReportRow(Item(IDC_ICON_LIST));
    LVITEMA entry{};
    entry.mask = LVIF_PARAM;
    entry.iItem = std::max(row, 0);
    ListView_GetItem(Item(IDC_ICON_LIST), &entry);
    file_ = file;
    index_ = static_cast<int>(entry.lParam);
    End(IDOK);
}
