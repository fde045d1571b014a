#pragma once

#include "basalt_api.h"
#include "ui/dialog.h"

#include <windows.h>

#include <string>

// "Enter Network Password": asks for the credentials of a connection the network refused for a
// bad password. On Windows 95/98 only a password is asked (connections use the logged-on user).
class BASALT_API MapPasswordDialog : public Dialog {
public:
    MapPasswordDialog(HWND owner, std::string resource, std::string userName);
    // The password typed is wiped with the dialog.
    ~MapPasswordDialog() override;

    // IDOK or IDCANCEL (kDialogFailed when it could not be shown).
    INT_PTR DoModal();
    // What was typed, once OK was pressed.
    std::string GetUserName() const { return userName_; }
    std::string GetPassword() const { return password_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    HWND owner_;
    std::string resource_;
    std::string userName_;
    std::string password_;
    bool isNt_;
};
