#include "action_editors.h"

#include "action_editor_dialog.h"
#include "launch/file_folder_dialog.h"
#include "launch/lo_parameter_list_dlg.h"
#include "props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

#include <commdlg.h>

namespace {

constexpr int kButtonChoiceIds[] = {IDC_BUTTONS_OK, IDC_BUTTONS_OK_CANCEL, IDC_BUTTONS_YES_NO};
constexpr int kButtonCodes[] = {MB_OK, MB_OKCANCEL, MB_YESNO};

class MessageBoxActionDialog final : public ActionEditorDialog {
public:
    MessageBoxActionDialog(LOAction& action, bool adding) : ActionEditorDialog(IDD_MESSAGE_BOX_ACTION, action, adding) {}

protected:
    void ShowFields(const LOAction& action) override
    {
        ::SetDlgItemTextA(Window(), IDC_ACTION_MESSAGE, action.DlgMessage.c_str());
        int choice = 1;   // OK and Cancel, unless the action says otherwise
        for (int i = 0; i < static_cast<int>(std::size(kButtonCodes)); ++i) {
            if (kButtonCodes[i] == action.MBButtons)
                choice = i;
        }
        ::CheckRadioButton(Window(), IDC_BUTTONS_OK, IDC_BUTTONS_YES_NO, kButtonChoiceIds[choice]);
    }

    void TakeFields(LOAction& action) const override
    {
        action.DlgMessage = WindowString(Item(IDC_ACTION_MESSAGE));
        for (int i = 0; i < static_cast<int>(std::size(kButtonChoiceIds)); ++i) {
            if (::IsDlgButtonChecked(Window(), kButtonChoiceIds[i]) == BST_CHECKED)
                action.MBButtons = kButtonCodes[i];
        }
    }

    void Preview(const LOAction& action) override
    {
        const UINT icon = action.MBButtons == MB_YESNO ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
        ShowPrompt(Window(), action.DlgMessage, action.DlgTitle, static_cast<UINT>(action.MBButtons) | icon);
    }
};

class ParameterListActionDialog final : public EntryListActionDialog {
public:
    ParameterListActionDialog(LOAction& action, bool adding)
        : EntryListActionDialog(IDD_PARAMETER_LIST_ACTION, IDC_PARAMETER_LIST, ActionEntryKind::Parameter, action, adding)
    {
    }

protected:
    void ShowFields(const LOAction& action) override
    {
        ::SetDlgItemTextA(Window(), IDC_ACTION_MESSAGE, action.DlgMessage.c_str());
        EntryListActionDialog::ShowFields(action);
    }

    void TakeFields(LOAction& action) const override
    {
        action.DlgMessage = WindowString(Item(IDC_ACTION_MESSAGE));
        EntryListActionDialog::TakeFields(action);
    }

    void Preview(const LOAction& action) override
    {
        LOParameterListDlg(Window(), action.DlgTitle, action.DlgMessage, action.ListItems, action.AllowMultiSelect).DoModal();
    }
};

class FileDialogActionDialog final : public EntryListActionDialog {
public:
    FileDialogActionDialog(LOAction& action, bool adding)
        : EntryListActionDialog(IDD_FILE_DIALOG_ACTION, IDC_EXTENSION_LIST, ActionEntryKind::FileExtension, action, adding)
    {
    }

protected:
    void ShowFields(const LOAction& action) override
    {
        ::SetDlgItemTextA(Window(), IDC_START_DIRECTORY, action.StartDir.c_str());
        EntryListActionDialog::ShowFields(action);
    }

    void TakeFields(LOAction& action) const override
    {
        action.StartDir = WindowString(Item(IDC_START_DIRECTORY));
        EntryListActionDialog::TakeFields(action);
    }

    bool OnCommand(int id, int code, HWND control) override
    {
        if (id != IDC_BROWSE_START_DIRECTORY || code != BN_CLICKED)
            return EntryListActionDialog::OnCommand(id, code, control);
        const std::string current = WindowString(Item(IDC_START_DIRECTORY));
        FileFolderDialog folder(Window(), nullptr, nullptr, nullptr, false, current.c_str(), nullptr,
                                OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        if (folder.DoModal() == IDOK)
            ::SetDlgItemTextA(Window(), IDC_START_DIRECTORY, folder.GetSelectedPath().c_str());
        return true;
    }

    // The file dialog as the launch object shows it: its title, start directory and file types.
    void Preview(const LOAction& action) override
    {
        std::string filter;
        for (const ActionEntry& entry : ActionEntriesFrom(action.ListItems))
            filter += entry.description + '|' + entry.value + '|';
        const unsigned long flags =
            OFN_HIDEREADONLY | OFN_EXPLORER | (action.AllowMultiSelect ? OFN_ALLOWMULTISELECT : 0ul);
        FileFolderDialog(Window(), action.DlgTitle.empty() ? nullptr : action.DlgTitle.c_str(), nullptr, nullptr, true,
                         action.StartDir.c_str(), filter.empty() ? nullptr : filter.c_str(), flags)
            .DoModal();
    }
};

} // namespace

bool EditLOAction(HWND owner, LOAction& action, bool adding)
{
    LOAction edited(action);
    INT_PTR answer = IDCANCEL;
    switch (edited.LOActionType) {
    case 1:
        answer = MessageBoxActionDialog(edited, adding).DoModal(owner);
        break;
    case 2:
        answer = ParameterListActionDialog(edited, adding).DoModal(owner);
        break;
    case 3:
        answer = FileDialogActionDialog(edited, adding).DoModal(owner);
        break;
    default:
        return false;   // a type this version does not know is kept as it is
    }
    if (answer != IDOK)
        return false;
    action = edited;
    return true;
}
