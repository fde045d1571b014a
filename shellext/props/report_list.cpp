#include "report_list.h"

#include "resources/texts.h"

#include <commctrl.h>

void InsertReportColumn(HWND list, int index, UINT titleId, int width)
{
    const std::string title = CommonText(titleId);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(title.c_str());
    column.cx = width;
    ListView_InsertColumn(list, index, &column);
}

void ShowReportRows(HWND list, const std::vector<std::pair<std::string, std::string>>& rows, int selected)
{
    ListView_DeleteAllItems(list);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMA entry{};
        entry.mask = LVIF_TEXT;
        entry.iItem = static_cast<int>(i);
        entry.pszText = const_cast<char*>(rows[i].first.c_str());
        const int index = ListView_InsertItem(list, &entry);
        ListView_SetItemText(list, index, 1, const_cast<char*>(rows[i].second.c_str()));
    }
    if (selected >= 0 && selected < static_cast<int>(rows.size()))
        SelectReportRow(list, selected);
}

int SelectedReportRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void SelectReportRow(HWND list, int row)
{
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}
