#pragma once

#include "ui/property_sheet.h"
#include "ui/ui_handles.h"

#include <initializer_list>
#include <vector>

// A page of the settings program's wizards: its template is the program's own, it shows the
// wizards' picture beside its controls (the page owns the bitmap, which goes with it), its
// texts with "%s" are filled with the product name, and it shows its own wizard buttons.
class WizardPage : public PropertyPage {
public:
    // productTexts: the controls whose template text holds "%s" for the product name.
    WizardPage(UINT templateId, std::initializer_list<int> productTexts);

protected:
    // The wizard buttons of the page (PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH).
    virtual DWORD Buttons() const = 0;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    bool IsChecked(int id) const { return ::IsDlgButtonChecked(Window(), id) == BST_CHECKED; }
    void Check(int id, bool checked) const { ::CheckDlgButton(Window(), id, checked ? BST_CHECKED : BST_UNCHECKED); }

private:
    std::vector<int> productTexts_;
    ScopedBitmap picture_;
};
