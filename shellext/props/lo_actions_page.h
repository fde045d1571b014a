#pragma once

#include "item/item.h"
#include "ui/property_sheet.h"

#include <string>
#include <vector>

class LOPropertySheet;

// The Actions page of a launch object: its chain of actions in the order they run, then the fixed
// last step "Execute Target File", which cannot be edited, renamed, removed or moved. Actions are
// added, edited in their editors, renamed in place, removed and moved up and down.
class LOActionsPage : public PropertyPage {
public:
    explicit LOActionsPage(LOPropertySheet& sheet);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnSetActive() override;
    bool OnApply() override;
    bool OnWizardFinish() override;

private:
    std::vector<LOAction>& Actions();
    void ShowRows(int selected);
    int SelectedAction();
    void EnableButtons();
    std::string ProposedName();
    void AddAction();
    void EditAction(int index);
    void RemoveAction(int index);
    void MoveAction(int index, int step);
    // The in-place rename's end: true takes the new name.
    bool TakeNewName(const NMLVDISPINFOA& info);
    void Changed(int selected);

    LOPropertySheet& sheet_;
};
