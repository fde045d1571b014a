#pragma once

#include "ui/dialog.h"

#include <string>

// "Add Action to Launch Object": the new action's name (proposed) and type.
class AddActionDialog : public Dialog {
public:
    explicit AddActionDialog(std::string proposedName);

    INT_PTR DoModal(HWND owner) { return Dialog::DoModal(owner); }
    const std::string& Name() const { return name_; }
    // 1 message box, 2 parameter list, 3 file dialog.
    int Type() const { return type_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::string name_;
    int type_ = 1;
};
