#include "lo_actions_page.h"

#include "action_editors.h"
#include "action_entries.h"
#include "add_action_dialog.h"
#include "lo_property_sheet.h"
#include "props_ids.h"
#include "report_list.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kActionNameWidth = 160;
constexpr int kActionTypeWidth = 90;
constexpr int kActionsPageIndex = 2;

std::string ActionTypeName(int type)
{
    switch (type) {
    case 1: return CommonText(IDS_ACTION_TYPE_MESSAGE_BOX);
    case 2: return CommonText(IDS_ACTION_TYPE_PARAMETER_LIST);
    case 3: return CommonText(IDS_ACTION_TYPE_FILE_DIALOG);
    default: return {};
    }
}

} // namespace

LOActionsPage::LOActionsPage(LOPropertySheet& sheet) : PropertyPage(IDD_LO_ACTIONS_PAGE), sheet_(sheet) {}

std::vector<LOAction>& LOActionsPage::Actions() { return sheet_.Edited().Actions; }

bool LOActionsPage::OnInitDialog()
{
    HWND list = Item(IDC_ACTION_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    InsertReportColumn(list, 0, IDS_ACTION_COLUMN_NAME, kActionNameWidth);
    InsertReportColumn(list, 1, IDS_ACTION_COLUMN_TYPE, kActionTypeWidth);
    ShowRows(0);
    return true;
}

void LOActionsPage::ShowRows(int selected)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (const LOAction& action : Actions())
        rows.emplace_back(action.Description, ActionTypeName(action.LOActionType));
    rows.emplace_back(CommonText(IDS_ACTION_EXECUTE_TARGET_FILE), CommonText(IDS_ACTION_TYPE_TARGET_FILE));
    ShowReportRows(Item(IDC_ACTION_LIST), rows, selected);
    EnableButtons();
}

int LOActionsPage::SelectedAction()
{
    const int row = SelectedReportRow(Item(IDC_ACTION_LIST));
    return row < static_cast<int>(Actions().size()) ? row : -1;
}

void LOActionsPage::EnableButtons()
{
    const int index = SelectedAction();
    const int count = static_cast<int>(Actions().size());
    ::EnableWindow(Item(IDC_ENTRY_REMOVE), index >= 0);
    ::EnableWindow(Item(IDC_ENTRY_EDIT), index >= 0);
    ::EnableWindow(Item(IDC_ENTRY_UP), index > 0);
    ::EnableWindow(Item(IDC_ENTRY_DOWN), index >= 0 && index + 1 < count);
}

bool LOActionsPage::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    const int index = SelectedAction();
    switch (id) {
    case IDC_ENTRY_ADD:
        AddAction();
        return true;
    case IDC_ENTRY_EDIT:
        EditAction(index);
        return true;
    case IDC_ENTRY_REMOVE:
        RemoveAction(index);
        return true;
    case IDC_ENTRY_UP:
        MoveAction(index, -1);
        return true;
    case IDC_ENTRY_DOWN:
        MoveAction(index, 1);
        return true;
    default:
        return false;
    }
}

bool LOActionsPage::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_ACTION_LIST)
        return false;
    switch (header.code) {
    case LVN_ITEMCHANGED:
        EnableButtons();
        return true;
    case NM_DBLCLK:
        EditAction(SelectedAction());
        return true;
    case LVN_BEGINLABELEDITA: {
        // The fixed last step keeps its name.
        const int row = reinterpret_cast<NMLVDISPINFOA&>(header).item.iItem;
        result = row >= static_cast<int>(Actions().size()) ? TRUE : FALSE;
        SetMessageResult(result);
        return true;
    }
    case LVN_ENDLABELEDITA:
        result = TakeNewName(reinterpret_cast<NMLVDISPINFOA&>(header)) ? TRUE : FALSE;
        SetMessageResult(result);
        return true;
    default:
        return false;
    }
}

bool LOActionsPage::TakeNewName(const NMLVDISPINFOA& info)
{
    const int index = info.item.iItem;
    if (!info.item.pszText || index < 0 || index >= static_cast<int>(Actions().size()))
        return false;
    const std::string name = info.item.pszText;
    if (name.find_first_not_of(' ') == std::string::npos) {
        ShowPrompt(Window(), CommonText(IDS_ERR_NAME_REQUIRED), CommonText(IDS_CAPTION_ERROR_RENAMING),
                   MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
        return false;
    }
    // The list shows the new text itself; its rows stay as they are while it does.
    Actions()[static_cast<size_t>(index)].Description = name;
    SetModified();
    return true;
}

std::string LOActionsPage::ProposedName()
{
    const std::string base = CommonText(IDS_NEW_ACTION_NAME);
    for (int number = static_cast<int>(Actions().size()) + 1;; ++number) {
        std::string name = base + FormatText(" (%d)", number);
        const bool taken = std::any_of(Actions().begin(), Actions().end(),
                                       [&](const LOAction& action) { return action.Description == name; });
        if (!taken)
            return name;
    }
}

void LOActionsPage::AddAction()
{
    AddActionDialog chooser(ProposedName());
    if (chooser.DoModal(Window()) != IDOK)
        return;
    LOAction action;
    action.Description = chooser.Name();
    action.LOActionType = chooser.Type();
    if (!EditLOAction(Window(), action, true))
        return;
    Actions().push_back(action);
    Changed(static_cast<int>(Actions().size()) - 1);
}

void LOActionsPage::EditAction(int index)
{
    if (index < 0 || index >= static_cast<int>(Actions().size()))
        return;
    if (EditLOAction(Window(), Actions()[static_cast<size_t>(index)], false))
        Changed(index);
}

void LOActionsPage::RemoveAction(int index)
{
    if (index < 0 || index >= static_cast<int>(Actions().size()))
        return;
    Actions().erase(Actions().begin() + index);
    Changed(std::min(index, static_cast<int>(Actions().size()) - 1));
}

void LOActionsPage::MoveAction(int index, int step)
{
    if (index >= 0 && MoveEntry(Actions(), static_cast<size_t>(index), step, Actions().size()))
        Changed(index + step);
}

void LOActionsPage::Changed(int selected)
{
    ShowRows(selected);
    SetModified();
}

bool LOActionsPage::OnSetActive()
{
    sheet_.PageShown(kActionsPageIndex);
    return true;
}

bool LOActionsPage::OnApply() { return sheet_.Apply(*this); }

bool LOActionsPage::OnWizardFinish() { return sheet_.IsLaunchObjectOK(); }
