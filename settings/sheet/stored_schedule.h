#pragma once

#include "settings/scheduled_task.h"

#include <ctime>
#include <string>

// One automatic run as the settings sheet edits it.
struct Schedule {
    bool on = false;
    unsigned long count = 0;
    unsigned long unit = 0;   // 0 minutes, 1 hours, 2 days
    std::string nextEvent;    // "year month day hour minute"

    bool operator==(const Schedule&) const = default;
};

// The run as the user's settings hold it.
Schedule ReadSchedule(ScheduledTask task, const char* caller);

// A schedule's next event when the stored one is empty or damaged: the first whole period
// after now, or now when the period is none. Stored at once, so that the search module and the
// page agree on it.
std::string ComputeAndStoreNextEvent(ScheduledTask task, const Schedule& schedule, std::time_t now, const char* caller);

// Writes the on/off value, the count and the unit where they differ from what was stored, and
// the next event where it differs; true when anything was written.
bool SaveSchedule(ScheduledTask task, const Schedule& edited, const Schedule& stored, const char* caller);
