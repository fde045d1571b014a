#include "add_action_dialog.h"

#include "module_instance.h"
#include "props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

namespace {

constexpr int kActionTypeIds[] = {IDC_ACTION_TYPE_MESSAGE_BOX, IDC_ACTION_TYPE_PARAMETER_LIST, IDC_ACTION_TYPE_FILE_DIALOG};

} // namespace

AddActionDialog::AddActionDialog(std::string proposedName)
    : Dialog(IDD_ADD_ACTION, g_hShellvueInstance), name_(std::move(proposedName))
{
}

bool AddActionDialog::OnInitDialog()
{
    ::SetDlgItemTextA(Window(), IDC_ACTION_NAME, name_.c_str());
    ::CheckRadioButton(Window(), IDC_ACTION_TYPE_MESSAGE_BOX, IDC_ACTION_TYPE_FILE_DIALOG, kActionTypeIds[0]);
    return true;
}

void AddActionDialog::OnOK()
{
    std::string name = WindowString(Item(IDC_ACTION_NAME));
    if (name.find_first_not_of(' ') == std::string::npos) {
        ShowPrompt(Window(), CommonText(IDS_ERR_NAME_REQUIRED), CommonText(IDS_CAPTION_ERROR_RENAMING),
                   MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
        ::SetFocus(Item(IDC_ACTION_NAME));
        return;
    }
    name_ = name;
    for (int i = 0; i < static_cast<int>(std::size(kActionTypeIds)); ++i) {
        if (::IsDlgButtonChecked(Window(), kActionTypeIds[i]) == BST_CHECKED)
            type_ = i + 1;
    }
    End(IDOK);
}
