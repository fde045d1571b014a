#include "mapping/map_password_dialog.h"

#include "mapping/drive_connection.h"
#include "res/dialog_ids.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "settings/platform.h"
#include "ui/window_text.h"

#include <utility>

MapPasswordDialog::MapPasswordDialog(HWND owner, std::string resource, std::string userName)
    : Dialog(IDD_MAP_PASSWORD, g_hBasaltInstance),
      owner_(owner),
      resource_(std::move(resource)),
      userName_(std::move(userName)),
      isNt_(IsNtPlatform())
{
}

MapPasswordDialog::~MapPasswordDialog() { WipeSecret(password_); }

INT_PTR MapPasswordDialog::DoModal() { return Dialog::DoModal(owner_); }

bool MapPasswordDialog::OnInitDialog()
{
    HWND window = Window();
    // It may be asked for while no window of ours is on the taskbar.
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, ::GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    if (isNt_) {
        ::SetDlgItemTextA(window, IDC_PASSWORD_RESOURCE, resource_.c_str());
        ::SetDlgItemTextA(window, IDC_PASSWORD_USER_NAME, userName_.c_str());
    } else {
        // Connections there always use the logged-on user: only a password is asked.
        ::SetDlgItemTextA(window, IDC_PASSWORD_MESSAGE, CommonText(IDS_PASSWORD_REQUIRED_PROMPT).c_str());
        ::SetDlgItemTextA(window, IDC_PASSWORD_LABEL, CommonText(IDS_PASSWORD_RESOURCE_LABEL).c_str());
        ::SetDlgItemTextA(window, IDC_PASSWORD_RESOURCE_BESIDE_LABEL, resource_.c_str());
        ::ShowWindow(Item(IDC_PASSWORD_RESOURCE_BESIDE_LABEL), SW_SHOW);
        ::ShowWindow(Item(IDC_PASSWORD_RESOURCE), SW_HIDE);
        ::ShowWindow(Item(IDC_PASSWORD_USER_NAME), SW_HIDE);
        userName_.clear();
    }
    ::SetFocus(Item(IDC_PASSWORD_EDIT));
    return false;
}

void MapPasswordDialog::OnOK()
{
    userName_ = WindowString(Item(IDC_PASSWORD_USER_NAME));
    WipeSecret(password_);
    password_ = WindowString(Item(IDC_PASSWORD_EDIT));
    End(IDOK);
}
