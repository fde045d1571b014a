#pragma once

#include <windows.h>

#include <array>

// The automatic runs the user can schedule in the settings program.
enum class ScheduledTask { QuickSearch, FullSearch, UpdatePublic };

inline constexpr std::array<ScheduledTask, 3> kScheduledTasks{ScheduledTask::QuickSearch, ScheduledTask::FullSearch,
                                                              ScheduledTask::UpdatePublic};

// Basalt string ids of the registry values that describe one automatic run.
struct TaskValueIds {
    UINT onOff;           // DWORD 0/1
    UINT count;           // DWORD, the period as typed
    UINT unit;            // DWORD 0 minutes, 1 hours, 2 days
    UINT periodMinutes;   // DWORD, count times unit
    UINT nextEvent;       // "year month day hour minute"
    UINT mustRun;         // DWORD, 1 while a run is owed
};

TaskValueIds ValueIdsOf(ScheduledTask task);
