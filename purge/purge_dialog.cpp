#include "purge_dialog.h"

#include "about_dialog.h"
#include "file_purge.h"
#include "file_search.h"
#include "purge_report.h"
#include "purge_text.h"
#include "registry_search.h"
#include "res/clearbay_dialog_ids.h"
#include "res/clearbay_string_ids.h"
#include "ui/wait_cursor.h"

#include <commctrl.h>

#include <utility>

namespace {

const int kRootBoxes[] = {IDC_ROOT_CLASSES_ROOT, IDC_ROOT_CURRENT_USER, IDC_ROOT_LOCAL_MACHINE};
const RegistryRoot kRootOfBox[] = {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser, RegistryRoot::LocalMachine};

void AddColumn(HWND list, int index, UINT titleId, int width)
{
    std::string title = PurgeText(titleId);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = width;
    column.iSubItem = index;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, const std::string& name, const std::string& comment)
{
    const int row = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::string text = name;
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = text.data();
    const int inserted = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0 || comment.empty())
        return;
    std::string commentText = comment;
    item.iItem = inserted;
    item.iSubItem = 1;
    item.pszText = commentText.data();
    ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&item));
}

} // namespace

PurgeDialog::PurgeDialog(FolderLocations locations) : Dialog(IDD_PURGE), locations_(std::move(locations)) {}

void PurgeDialog::RunModal(HWND owner) { DoModal(owner); }

bool PurgeDialog::RunSilent()
{
    // Created but never shown: the search and the purge read the same controls as ever.
    if (!Create(nullptr))
        return false;
    Search();
    ShowReport();
    const bool removed = DeleteRegistryData(found_.registry, SelectedRoots());
    End(IDOK);
    return removed;
}

bool PurgeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_ABOUT_BOX) {
        ShowAboutBox(Window());
        result = TRUE;
        return true;
    }
    return false;
}

bool PurgeDialog::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_START_SEARCH:
        OnStartSearch();
        return true;
    case IDC_PURGE_SYSTEM:
        OnPurgeSystem();
        return true;
    default:
        return Dialog::OnCommand(id, code, control);
    }
}

bool PurgeDialog::OnInitDialog()
{
    ::CheckDlgButton(Window(), IDC_ROOT_CLASSES_ROOT, BST_CHECKED);
    ::CheckDlgButton(Window(), IDC_ROOT_CURRENT_USER, BST_UNCHECKED);
    ::CheckDlgButton(Window(), IDC_ROOT_LOCAL_MACHINE, BST_CHECKED);
    // Files go only when the user asks for it: the question before a purge is about the registry.
    ::CheckRadioButton(Window(), IDC_FILES_DELETE, IDC_FILES_KEEP, IDC_FILES_KEEP);
    ::EnableWindow(Item(IDC_PURGE_SYSTEM), FALSE);

    HWND list = Item(IDC_FOUND_LIST);
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT area = {};
    ::GetClientRect(list, &area);
    const int nameWidth = (area.right - area.left) * 2 / 3;
    AddColumn(list, 0, IDS_COLUMN_NAME, nameWidth);
    AddColumn(list, 1, IDS_COLUMN_COMMENT, area.right - area.left - nameWidth);

    if (HMENU systemMenu = ::GetSystemMenu(Window(), FALSE)) {
        ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT_BOX, PurgeText(IDS_ABOUT_MENU_ITEM).c_str());
    }
    return true;
}

void PurgeDialog::OnStartSearch()
{
    ShowSearching();
    {
        WaitCursor wait;
        Search();
    }
    ShowReport();
}

void PurgeDialog::ShowSearching()
{
    HWND list = Item(IDC_FOUND_LIST);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    AddRow(list, PurgeText(IDS_SEARCHING), std::string());
    ::UpdateWindow(list);
}

void PurgeDialog::Search()
{
    found_.registry = SearchRegistry();
    found_.paths = SearchFilesAndFolders(locations_);
}

void PurgeDialog::ShowReport()
{
    HWND list = Item(IDC_FOUND_LIST);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (const ReportLine& line : BuildReport(found_))
        AddRow(list, line.name, line.comment);
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);

    for (size_t i = 0; i < std::size(kRootBoxes); ++i)
        ::EnableWindow(Item(kRootBoxes[i]), found_.registry.HasDataUnder(kRootOfBox[i]));
    ::EnableWindow(Item(IDC_PURGE_SYSTEM), !found_.Empty());
}

RootSelection PurgeDialog::SelectedRoots() const
{
    RootSelection roots;
    roots.classesRoot = ::IsDlgButtonChecked(Window(), IDC_ROOT_CLASSES_ROOT) == BST_CHECKED;
    roots.currentUser = ::IsDlgButtonChecked(Window(), IDC_ROOT_CURRENT_USER) == BST_CHECKED;
    roots.localMachine = ::IsDlgButtonChecked(Window(), IDC_ROOT_LOCAL_MACHINE) == BST_CHECKED;
    return roots;
}

int PurgeDialog::ShowMessage(UINT textId, UINT style) const
{
    return ::MessageBoxA(Window(), PurgeText(textId).c_str(), PurgeText(IDS_APP_CAPTION).c_str(), style);
}

void PurgeDialog::OnPurgeSystem()
{
    const RootSelection roots = SelectedRoots();
    const bool deleteFiles = ::IsDlgButtonChecked(Window(), IDC_FILES_DELETE) == BST_CHECKED;

    if (roots.Any() && ShowMessage(IDS_CONFIRM_REGISTRY_PURGE, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        if (DeleteRegistryData(found_.registry, roots))
            ShowMessage(IDS_REGISTRY_PURGE_DONE, MB_OK | MB_ICONINFORMATION);
        else
            ShowMessage(IDS_REGISTRY_PURGE_FAILED, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    }

    if (deleteFiles) {
        HWND dialog = Window();
        RecycleFoundPaths(dialog, found_.paths,
                          [dialog] { ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); });
    }

    ::EnableWindow(Item(IDC_PURGE_SYSTEM), FALSE);
}
