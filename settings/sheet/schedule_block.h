#pragma once

#include "stored_schedule.h"

#include <windows.h>

#include <ctime>
#include <optional>

// The controls of one automatic run on a settings page: the on/off box, the period's count
// and unit, and the date and time of the next run. The page numbers them from a base id
// (dialwise_ids.h).
class ScheduleBlock {
public:
    ScheduleBlock(ScheduledTask task, int baseId) : task_(task), baseId_(baseId) {}

    ScheduledTask Task() const { return task_; }
    bool Owns(int controlId) const { return controlId >= baseId_ && controlId <= baseId_ + 4; }

    // Reads the stored run into the controls. A stored next event that is empty or damaged is
    // computed from now and stored (ComputeAndStoreNextEvent).
    void Load(HWND page, std::time_t now, const char* caller);
    // The run as the controls hold it; nothing when the period's text is refused (the caller
    // tells the user).
    std::optional<Schedule> Read(HWND page) const;
    // Saves what was edited since Load; true when anything changed. The saved run becomes the
    // one to compare with next time.
    bool Save(const Schedule& edited, const char* caller);
    // Gives the period field the focus, its text selected.
    void FocusPeriod(HWND page) const;

private:
    HWND Item(HWND page, int offset) const { return ::GetDlgItem(page, baseId_ + offset); }
    void ShowNextEvent(HWND page, const std::string& text) const;

    ScheduledTask task_;
    int baseId_;
    Schedule stored_;
};
