#pragma once

#include "registry/registry.h"
#include "settings/scheduled_task.h"

#include <ctime>
#include <optional>

// One automatic run as the settings program stored it, checked. Damaged values are logged for
// the caller and left out: a period that cannot be used switches the run off, a next event
// that cannot be used is left for the caller to compute from the current time.
struct TaskSettings {
    bool enabled = false;
    long periodMinutes = 0;                  // > 0 whenever enabled
    std::optional<std::time_t> nextEvent;    // absent or damaged: none
    bool mustRun = false;
};

TaskSettings ReadTaskSettings(const RegKeyRead& userKey, ScheduledTask task, const char* caller);
