#include "dialog_session.h"

#include "res/clearbay_dialog_ids.h"

#include <commctrl.h>


DialogSession::DialogSession(FolderLocations locations) : dialog_(std::move(locations))
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    run_ = std::make_unique<ModalDialogRun>([this] {
        dialog_.RunModal();
        return static_cast<INT_PTR>(0);
    });
    window_ = run_->Window();
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
    INT_PTR ignored = 0;
    run_->WaitForEnd(ignored);
}
