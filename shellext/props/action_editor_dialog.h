#pragma once

#include "action_entries.h"
#include "item/item.h"
#include "ui/dialog.h"

#include <vector>

// The base of the editors of one action ("%s Message Box", "%s Parameter List", "%s File
// Dialog"): the title field, Preview (which shows the action as the fields now describe it), and
// OK, which takes the fields into the action.
class ActionEditorDialog : public Dialog {
public:
    INT_PTR DoModal(HWND owner) { return Dialog::DoModal(owner); }

protected:
    ActionEditorDialog(UINT templateId, LOAction& action, bool adding);

    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

    // The action's own fields into the controls, and back.
    virtual void ShowFields(const LOAction& action) = 0;
    virtual void TakeFields(LOAction& action) const = 0;
    virtual void Preview(const LOAction& action) = 0;

private:
    LOAction& action_;
    const bool adding_;
};

// An editor whose action holds a list of entries (parameters or file types), with Add, Remove,
// Edit, Up and Down, and the choice of several entries at run time.
class EntryListActionDialog : public ActionEditorDialog {
protected:
    EntryListActionDialog(UINT templateId, int listId, ActionEntryKind kind, LOAction& action, bool adding);

    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void ShowFields(const LOAction& action) override;
    void TakeFields(LOAction& action) const override;

private:
    void ShowEntries(int selected);
    void EnableButtons();
    // Add (row -1) or Edit an entry in its editor.
    void EditEntry(int row);
    void MoveSelected(int step);

    const int listId_;
    const ActionEntryKind kind_;
    std::vector<ActionEntry> entries_;
};
