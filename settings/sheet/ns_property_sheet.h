#pragma once

#include "settings/scheduled_task.h"
#include "ui/property_sheet.h"

#include <set>
#include <vector>

class SettingsPage;

// The settings sheet: "<product> Settings", with the pages the user's kind of installation
// has, and Help. Each page saves its own settings on Apply or OK; once the last page has saved,
// the sheet works out whether background searching is wanted, switches the search module on
// or off, tells the running programs what changed and tells the user what else to do.
class NSPropertySheet : public PropertySheetDialog {
public:
    // startPage: the page shown first; one the sheet does not have shows the first.
    explicit NSPropertySheet(UINT startPage);

    // What a page changed in this Apply.
    void NoteScheduleChanged(ScheduledTask task) { changedSchedules_.insert(task); }
    void NoteNetworksChanged() { networksChanged_ = true; }
    void NoteDataLocationChanged() { dataLocationChanged_ = true; }

    // A page has saved: after the last page of the sheet that was shown, the Apply is finished.
    void PageApplied(const SettingsPage& page);
    // Announces what was saved so far and tells the user what else to do.
    void FinishApply();

    // F1 or Help: the help of the page shown.
    void ShowCurrentPageHelp() const;

private:
    void AddSettingsPage(std::unique_ptr<SettingsPage> page);
    void ApplyBackgroundProcess();
    void AnnounceSchedule(ScheduledTask task) const;

    std::vector<SettingsPage*> pages_;
    unsigned long backgroundProcess_ = 0;
    std::set<ScheduledTask> changedSchedules_;
    bool networksChanged_ = false;
    bool dataLocationChanged_ = false;
};
