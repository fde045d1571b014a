#include "action_entry_dialog.h"

#include "action_title.h"
#include "module_instance.h"
#include "props_ids.h"
#include "resources/texts.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

ActionEntryDialog::ActionEntryDialog(ActionEntryKind kind, ActionEntry entry, bool adding)
    : Dialog(kind == ActionEntryKind::Parameter ? IDD_PARAMETER_ENTRY : IDD_FILE_EXTENSION_ENTRY, g_hShellvueInstance),
      kind_(kind), entry_(std::move(entry)), adding_(adding)
{
}

INT_PTR ActionEntryDialog::DoModal(HWND owner) { return Dialog::DoModal(owner); }

int ActionEntryDialog::DescriptionId() const
{
    return kind_ == ActionEntryKind::Parameter ? IDC_PARAMETER_DESCRIPTION : IDC_EXTENSION_DESCRIPTION;
}

int ActionEntryDialog::ValueId() const
{
    return kind_ == ActionEntryKind::Parameter ? IDC_PARAMETER_VALUE : IDC_EXTENSION_VALUE;
}

bool ActionEntryDialog::OnInitDialog()
{
    ShowEditorTitle(Window(), adding_);
    ::SetDlgItemTextA(Window(), DescriptionId(), entry_.description.c_str());
    ::SetDlgItemTextA(Window(), ValueId(), entry_.value.c_str());
    return true;
}

void ActionEntryDialog::OnOK()
{
    std::string description = WindowString(Item(DescriptionId()));
    std::string value = WindowString(Item(ValueId()));
    if (const auto refusal = CheckActionEntry(kind_, description, value)) {
        ShowErrorPrompt(Window(), CommonText(refusal->message));
        const int field = refusal->inDescription ? DescriptionId() : ValueId();
        ::SetFocus(Item(field));
        ::SendDlgItemMessageA(Window(), field, EM_SETSEL, 0, -1);
        return;
    }
    entry_ = {description, value};
    End(IDOK);
}
