#pragma once

#include "ui/property_sheet.h"
#include "ui/ui_handles.h"

class ItemPropertySheet;

// The General page of a disc (name, comment, type, location, server), a folder (name, comment,
// type, location, what it holds, and for the administrator "Make this folder public") or a
// system folder (nothing to edit).
class ItemGeneralPage : public PropertyPage {
public:
    explicit ItemGeneralPage(ItemPropertySheet& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnKillActive() override;
    bool OnApply() override;

private:
    void ShowIcon();
    void ShowFacts();
    bool EditsName() const;

    ItemPropertySheet& sheet_;
    ScopedIcon icon_;
    bool loading_ = false;
};
