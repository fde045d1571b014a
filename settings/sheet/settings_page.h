#pragma once

#include "schedule_block.h"
#include "ui/property_sheet.h"

#include <vector>

class NSPropertySheet;

// A page of the settings sheet: its template is the program's own, it loads its settings when
// it is made and saves them on Apply or OK, tells the sheet what it changed, and has help. The
// schedules of automatic runs a page shows are handled here for all pages alike.
class SettingsPage : public PropertyPage {
public:
    // name: the page's class name, which prefixes its log lines ("NSGeneralPage").
    SettingsPage(UINT templateId, NSPropertySheet& sheet, const char* name, int helpTopic);

    int HelpTopic() const { return helpTopic_; }

protected:
    NSPropertySheet& Settings() const { return sheet_; }
    // "NSGeneralPage::SaveSettings", for the log.
    const char* SaveCaller() const { return saveCaller_.c_str(); }

    // A schedule of the page, shown by the controls from baseId on; call in the constructor.
    void AddSchedule(ScheduledTask task, int baseId);

    // The page's own settings into its controls.
    virtual void LoadSettings() = 0;
    // The page's own settings from its controls; false keeps the sheet open on this page (the
    // page told the user why). Schedules are saved after it, and only when it succeeded.
    virtual bool SaveSettings() = 0;

    // A control of the page changed: Apply becomes available.
    void NoteChange();

    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnApply() final;
    void OnHelp() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    NSPropertySheet& sheet_;
    std::string name_;
    std::string saveCaller_;
    int helpTopic_;
    std::vector<ScheduleBlock> schedules_;
    bool loading_ = false;
};
