#include "action_editor_dialog.h"

#include "action_entry_dialog.h"
#include "action_title.h"
#include "module_instance.h"
#include "props_ids.h"
#include "report_list.h"
#include "res/string_ids.h"
#include "ui/window_text.h"

#include <commctrl.h>

namespace {

constexpr int kEntryDescriptionWidth = 120;
constexpr int kEntryValueWidth = 130;

} // namespace

ActionEditorDialog::ActionEditorDialog(UINT templateId, LOAction& action, bool adding)
    : Dialog(templateId, g_hShellvueInstance), action_(action), adding_(adding)
{
}

bool ActionEditorDialog::OnInitDialog()
{
    ShowEditorTitle(Window(), adding_);
    ::SetDlgItemTextA(Window(), IDC_ACTION_TITLE, action_.DlgTitle.c_str());
    ShowFields(action_);
    return true;
}

bool ActionEditorDialog::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_ENTRY_PREVIEW && code == BN_CLICKED) {
        LOAction shown(action_);
        shown.DlgTitle = WindowString(Item(IDC_ACTION_TITLE));
        TakeFields(shown);
        Preview(shown);
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void ActionEditorDialog::OnOK()
{
    action_.DlgTitle = WindowString(Item(IDC_ACTION_TITLE));
    TakeFields(action_);
    End(IDOK);
}

EntryListActionDialog::EntryListActionDialog(UINT templateId, int listId, ActionEntryKind kind, LOAction& action,
                                             bool adding)
    : ActionEditorDialog(templateId, action, adding), listId_(listId), kind_(kind)
{
}

bool EntryListActionDialog::OnInitDialog()
{
    HWND list = Item(listId_);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    InsertReportColumn(list, 0, IDS_ENTRY_COLUMN_DESCRIPTION, kEntryDescriptionWidth);
    InsertReportColumn(list, 1, kind_ == ActionEntryKind::Parameter ? IDS_ENTRY_COLUMN_PARAMETER : IDS_ENTRY_COLUMN_EXTENSION,
                       kEntryValueWidth);
    return ActionEditorDialog::OnInitDialog();
}

void EntryListActionDialog::ShowFields(const LOAction& action)
{
    entries_ = ActionEntriesFrom(action.ListItems);
    ::CheckDlgButton(Window(), IDC_ALLOW_MULTI_SELECT, action.AllowMultiSelect ? BST_CHECKED : BST_UNCHECKED);
    ShowEntries(-1);
}

void EntryListActionDialog::TakeFields(LOAction& action) const
{
    action.ListItems = StoredActionEntries(entries_);
    action.AllowMultiSelect = ::IsDlgButtonChecked(Window(), IDC_ALLOW_MULTI_SELECT) == BST_CHECKED ? 1 : 0;
}

void EntryListActionDialog::ShowEntries(int selected)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (const ActionEntry& entry : entries_)
        rows.emplace_back(entry.description, entry.value);
    ShowReportRows(Item(listId_), rows, selected);
    EnableButtons();
}

void EntryListActionDialog::EnableButtons()
{
    const int row = SelectedReportRow(Item(listId_));
    const int count = static_cast<int>(entries_.size());
    ::EnableWindow(Item(IDC_ENTRY_REMOVE), row >= 0);
    ::EnableWindow(Item(IDC_ENTRY_EDIT), row >= 0);
    ::EnableWindow(Item(IDC_ENTRY_UP), row > 0);
    ::EnableWindow(Item(IDC_ENTRY_DOWN), row >= 0 && row + 1 < count);
}

bool EntryListActionDialog::OnCommand(int id, int code, HWND control)
{
    if (code != BN_CLICKED)
        return ActionEditorDialog::OnCommand(id, code, control);
    const int row = SelectedReportRow(Item(listId_));
    switch (id) {
    case IDC_ENTRY_ADD:
        EditEntry(-1);
        return true;
    case IDC_ENTRY_EDIT:
        if (row >= 0)
            EditEntry(row);
        return true;
    case IDC_ENTRY_REMOVE:
        if (row >= 0 && row < static_cast<int>(entries_.size())) {
            entries_.erase(entries_.begin() + row);
            ShowEntries(std::min(row, static_cast<int>(entries_.size()) - 1));
        }
        return true;
    case IDC_ENTRY_UP:
        MoveSelected(-1);
        return true;
    case IDC_ENTRY_DOWN:
        MoveSelected(1);
        return true;
    default:
        return ActionEditorDialog::OnCommand(id, code, control);
    }
}

bool EntryListActionDialog::OnNotify(NMHDR& header, LRESULT&)
{
    if (header.idFrom != static_cast<UINT_PTR>(listId_))
        return false;
    if (header.code == LVN_ITEMCHANGED) {
        EnableButtons();
        return true;
    }
    if (header.code == NM_DBLCLK) {
        if (const int row = SelectedReportRow(Item(listId_)); row >= 0)
            EditEntry(row);
        return true;
    }
    return false;
}

void EntryListActionDialog::EditEntry(int row)
{
    const bool adding = row < 0 || row >= static_cast<int>(entries_.size());
    ActionEntryDialog editor(kind_, adding ? ActionEntry{} : entries_[static_cast<size_t>(row)], adding);
    if (editor.DoModal(Window()) != IDOK)
        return;
    if (adding) {
        entries_.push_back(editor.Entry());
        row = static_cast<int>(entries_.size()) - 1;
    } else {
        entries_[static_cast<size_t>(row)] = editor.Entry();
    }
    ShowEntries(row);
}

void EntryListActionDialog::MoveSelected(int step)
{
    const int row = SelectedReportRow(Item(listId_));
    if (row >= 0 && MoveEntry(entries_, static_cast<size_t>(row), step, entries_.size()))
        ShowEntries(row + step);
}
