#pragma once

#include "settings/scheduled_task.h"
#include "task_settings.h"

#include <array>
#include <ctime>
#include <vector>

// The automatic runs of the current user, read from the registry. The caller owns the clock:
// every member that needs the time takes it, so that the same code runs in the module and in
// tests.
//
// The "Must..." value of a run is 1 while a run is owed: from the moment TakeDueTasks hands it
// out until MarkDone. A module that stops in between (or was asked to run while busy) finds it
// set at its next start and runs it at once. It is 0 once the run is done or switched off.
// A next event that passed while the module was not running gives one run, not one per
// missed period; the next event then moves to the first step after now, keeping its phase.
class SearchSchedule {
public:
    // What MillisecondsUntilNext answers when nothing is scheduled (INFINITE for SetTimer).
    static constexpr unsigned long kNothingScheduled = 0xFFFFFFFFUL;
    // The longest wait it answers otherwise, so that a changed clock is noticed within a minute.
    static constexpr unsigned long kLongestWait = 60 * 1000;
    // How long a run that could not start waits before it is handed out again.
    static constexpr std::time_t kRetryDelaySeconds = 60;

    // Re-reads every setting (at start and on each settings broadcast). Runs handed out and not
    // yet done stay handed out.
    void Reload(std::time_t now);

    // "Background Process": whether the module searches on its own at all. Nothing is due
    // while it is off.
    bool BackgroundEnabled() const { return background_; }

    // The runs due at now, each handed out: its next event moves past now and is stored, and
    // its "Must..." value is set until MarkDone.
    std::vector<ScheduledTask> TakeDueTasks(std::time_t now);
    // The run handed out has finished (or was covered by another): nothing is owed any more.
    void MarkDone(ScheduledTask task);
    // The run handed out could not start (another search was busy): it is handed out again
    // kRetryDelaySeconds after now.
    void MarkNotStarted(ScheduledTask task, std::time_t now);

    // For SetTimer: 0 when something is due, at most kLongestWait, kNothingScheduled when no
    // run is on.
    unsigned long MillisecondsUntilNext(std::time_t now) const;

private:
    struct TaskState {
        TaskSettings settings;
        std::time_t next = 0;
        bool owed = false;         // "Must..." is 1
        std::time_t retryAt = 0;   // an owed run is handed out from then on
        bool handedOut = false;
    };

    TaskState& State(ScheduledTask task) { return tasks_[static_cast<size_t>(task)]; }
    void StoreNextEvent(ScheduledTask task, std::time_t start, std::time_t now);
    void StoreMustRun(ScheduledTask task, bool owed);

    std::array<TaskState, kScheduledTasks.size()> tasks_{};
    bool background_ = false;
};
