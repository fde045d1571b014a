#pragma once

#include "action_entries.h"
#include "ui/dialog.h"

// "%s Parameter" or "%s File Extension": one entry of a parameter list or of a file dialog's
// file types. OK refuses an entry that cannot be stored, says why and keeps the dialog open.
class ActionEntryDialog : public Dialog {
public:
    ActionEntryDialog(ActionEntryKind kind, ActionEntry entry, bool adding);

    INT_PTR DoModal(HWND owner);
    const ActionEntry& Entry() const { return entry_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int DescriptionId() const;
    int ValueId() const;

    const ActionEntryKind kind_;
    ActionEntry entry_;
    const bool adding_;
};
