#pragma once

#include "basalt_api.h"
#include "ui/dialog.h"

#include <windows.h>

#include <string>
#include <vector>

// The "Parameter List" action of a launch object: the user picks one or several parameters
// from a list, each shown by its description and passed on as its value. The list is the
// action's packed "description:value|..." text; entries without a description are not shown.
class BASALT_API LOParameterListDlg : public Dialog {
public:
    LOParameterListDlg(HWND owner, std::string title, std::string message, std::string listItems,
                       int allowMultipleSelection);

    // IDOK or IDCANCEL (kDialogFailed when it could not be shown).
    INT_PTR DoModal();
    // Appends the values of the entries chosen with OK, in list order; nothing after Cancel.
    void GetSelectedParameter(std::vector<std::string>& values) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void ReplaceListBox();
    void FillListBox();

    HWND owner_;
    std::string title_;
    std::string message_;
    std::string listItems_;
    bool multipleSelection_;
    // The value of each list entry, indexed by the entry's item data.
    std::vector<std::string> values_;
    std::vector<std::string> selected_;
};
