#include "smb_properties_dialog.h"

#include "domain_list.h"
#include "res/dialwise_ids.h"
#include "ui/wait_cursor.h"

SmbPropertiesDialog::SmbPropertiesDialog(DomainChoice& choice) : DialwiseDialog(IDD_SMB_PROPERTIES), choice_(choice) {}

bool SmbPropertiesDialog::OnInitDialog()
{
    const WaitCursor wait;
    HWND window = Window();
    domains_.Attach(::GetDlgItem(window, IDC_SMB_DOMAIN_LIST));
    FillDomainList(domains_, choice_.domains);
    ::CheckRadioButton(window, IDC_SMB_ALL_DOMAINS, IDC_SMB_SELECTED_DOMAINS,
                       choice_.scope == AllDomains ? IDC_SMB_ALL_DOMAINS : IDC_SMB_SELECTED_DOMAINS);
    EnableList();
    return true;
}

bool SmbPropertiesDialog::OnCommand(int id, int code, HWND control)
{
    if ((id == IDC_SMB_ALL_DOMAINS || id == IDC_SMB_SELECTED_DOMAINS) && code == BN_CLICKED) {
        EnableList();
        return true;
    }
    return DialwiseDialog::OnCommand(id, code, control);
}

void SmbPropertiesDialog::EnableList()
{
    ::EnableWindow(domains_.Window(), ::IsDlgButtonChecked(Window(), IDC_SMB_SELECTED_DOMAINS) == BST_CHECKED);
}

void SmbPropertiesDialog::OnOK()
{
    choice_.scope = ::IsDlgButtonChecked(Window(), IDC_SMB_ALL_DOMAINS) == BST_CHECKED ? AllDomains : SelectedDomains;
    choice_.domains = domains_.CheckedNames();
    End(IDOK);
}
