#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <array>
#include <optional>

// The automatic runs the user schedules in the settings program and the search module carries
// out.
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

BASALT_API TaskValueIds ValueIdsOf(ScheduledTask task);

// Minutes per unit of a period: minutes, hours, days.
inline constexpr unsigned long kMinutesPerUnit[] = {1, 60, 1440};
// Ten years: anything longer is a damaged value rather than a schedule, and it keeps the
// minutes well inside a 32-bit long.
inline constexpr unsigned long kLongestPeriodMinutes = 10UL * 366 * 24 * 60;

// A period of count units in minutes; nothing for an unknown unit or a period longer than
// kLongestPeriodMinutes (the product of a large count is never computed).
constexpr std::optional<unsigned long> PeriodMinutes(unsigned long count, unsigned long unit) noexcept
{
    if (unit >= std::size(kMinutesPerUnit) || count > kLongestPeriodMinutes / kMinutesPerUnit[unit])
        return std::nullopt;
    return count * kMinutesPerUnit[unit];
}
