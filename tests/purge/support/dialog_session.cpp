#include "dialog_session.h"

#include "res/clearbay_dialog_ids.h"

#include <commctrl.h>
#include <objbase.h>

#include <stdexcept>

DialogSession::DialogSession(FolderLocations locations) : dialog_(std::move(locations))
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    thread_ = std::thread([this] {
        const bool ownsCom = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        dialog_.RunModal();
        if (ownsCom)
            ::CoUninitialize();
    });
    // The dialog is shown once it has handled WM_INITDIALOG.
    for (int i = 0; i < 500 && !(window_ && ::IsWindowVisible(window_)); ++i) {
        ::Sleep(10);
        window_ = dialog_.Window();
    }
    if (!window_ || !::IsWindowVisible(window_)) {
        thread_.detach();
        throw std::runtime_error("the purge dialog did not appear");
    }
}

DialogSession::~DialogSession()
{
    if (thread_.joinable() && dialog_.Window())
        ::PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (thread_.joinable())
        thread_.join();
}

void DialogSession::Click(int id) const
{
    ::SendMessageA(Item(id), BM_CLICK, 0, 0);
}

bool DialogSession::IsChecked(int id) const
{
    return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogSession::SetChecked(int id, bool checked) const
{
    ::SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<ReportLine> DialogSession::ListRows() const
{
    HWND list = Item(IDC_FOUND_LIST);
    std::vector<ReportLine> rows;
    const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        ReportLine line;
        for (int column = 0; column < 2; ++column) {
            char text[1024] = {};
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            (column == 0 ? line.name : line.comment) = text;
        }
        rows.push_back(line);
    }
    return rows;
}

std::vector<std::string> DialogSession::ColumnTitles() const
{
    HWND list = Item(IDC_FOUND_LIST);
    std::vector<std::string> titles;
    for (int column = 0;; ++column) {
        char text[256] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        if (!::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)))
            break;
        titles.push_back(text);
    }
    return titles;
}

void DialogSession::WaitUntilClosed()
{
    if (thread_.joinable())
        thread_.join();
}
