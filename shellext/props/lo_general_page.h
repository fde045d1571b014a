#pragma once

#include "ui/property_sheet.h"
#include "ui/ui_handles.h"

class LOPropertySheet;

// The General page of a launch object: its name, the target file and the folder it starts in
// (each with a Browse button), the window it starts in, comment, contact information and icon.
class LOGeneralPage : public PropertyPage {
public:
    explicit LOGeneralPage(LOPropertySheet& sheet);

    // Brings the user to the name, selected, to change it.
    void FocusName();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnApply() override;
    bool OnWizardFinish() override;

private:
    void ShowIcon();
    void BrowseForTarget();
    void BrowseForStartFolder();
    void ChangeIcon();

    LOPropertySheet& sheet_;
    ScopedIcon icon_;
    bool loading_ = false;
};
