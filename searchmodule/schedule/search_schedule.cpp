#include "search_schedule.h"

#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "user_settings.h"

#include <algorithm>

namespace {

constexpr char kReloadCaller[] = "SearchSchedule::Reload()";
constexpr char kStoreCaller[] = "SearchSchedule::Store()";

// The minute now falls in, as the settings program can store it (seconds dropped).
std::time_t StartOfMinute(std::time_t now)
{
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    else
        return now - now % 60;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    const std::time_t minute = std::mktime(&local);
    return minute == static_cast<std::time_t>(-1) ? now - now % 60 : minute;
}

} // namespace

void SearchSchedule::Reload(std::time_t now)
{
    const auto key = OpenUserSettings(kReloadCaller);
    bool anyEnabled = false;
    for (ScheduledTask task : kScheduledTasks) {
        TaskState& state = State(task);
        state.settings = key ? ReadTaskSettings(*key, task, kReloadCaller) : TaskSettings{};
        state.owed = state.settings.mustRun || state.handedOut;
        state.retryAt = 0;
        if (!state.settings.enabled) {
            if (state.settings.mustRun)
                StoreMustRun(task, false);   // switched off: nothing is owed any more
            state.owed = state.handedOut;
            continue;
        }
        anyEnabled = true;
        if (state.settings.nextEvent)
            state.next = *state.settings.nextEvent;
        else
            StoreNextEvent(task, StartOfMinute(now), now);
    }
    // The settings program keeps "Background Process" in step with the three switches; a
    // profile without it runs what is switched on.
    const auto background = key ? ReadSettingDWORD(*key, IDS_BACKGROUND_PROCESS_VALUE, kReloadCaller) : std::nullopt;
    background_ = background ? *background != 0 : anyEnabled;
}

std::vector<ScheduledTask> SearchSchedule::TakeDueTasks(std::time_t now)
{
    std::vector<ScheduledTask> due;
    if (!background_)
        return due;
    for (ScheduledTask task : kScheduledTasks) {
        TaskState& state = State(task);
        if (!state.settings.enabled)
            continue;
        const bool eventPassed = state.next <= now;
        // The run still going covers an event that passes meanwhile.
        if (eventPassed)
            StoreNextEvent(task, state.next, now);
        if (state.handedOut || !(eventPassed || (state.owed && state.retryAt <= now)))
            continue;
        state.handedOut = true;
        if (!state.owed)
            StoreMustRun(task, true);
        state.owed = true;
        due.push_back(task);
    }
    return due;
}

void SearchSchedule::MarkDone(ScheduledTask task)
{
    TaskState& state = State(task);
    state.handedOut = false;
    state.owed = false;
    StoreMustRun(task, false);
}

void SearchSchedule::MarkNotStarted(ScheduledTask task, std::time_t now)
{
    TaskState& state = State(task);
    state.handedOut = false;
    state.retryAt = now + kRetryDelaySeconds;
}

unsigned long SearchSchedule::MillisecondsUntilNext(std::time_t now) const
{
    if (!background_)
        return kNothingScheduled;
    bool any = false;
    std::time_t earliest = 0;
    for (const TaskState& state : tasks_) {
        if (!state.settings.enabled)
            continue;
        std::time_t when = state.next;
        if (state.owed && !state.handedOut)
            when = std::min(when, state.retryAt);
        earliest = any ? std::min(earliest, when) : when;
        any = true;
    }
    if (!any)
        return kNothingScheduled;
    if (earliest <= now)
        return 0;
    const std::time_t seconds = earliest - now;
    return seconds >= static_cast<std::time_t>(kLongestWait / 1000) ? kLongestWait
                                                                      : static_cast<unsigned long>(seconds) * 1000;
}

void SearchSchedule::StoreNextEvent(ScheduledTask task, std::time_t start, std::time_t now)
{
    TaskState& state = State(task);
    std::time_t next = start;
    const std::string text = AuxiliaryFunctions::CalculateNextEvent(start, state.settings.periodMinutes, now, next);
    state.next = next;
    if (text.empty())
        return;
    if (auto key = OpenUserSettingsForWriting(kStoreCaller)) {
        try {
            key->SetStringValue(CommonText(ValueIdsOf(task).nextEvent), text);
        } catch (const RegKeyException& error) {
            LogRegKeyException(std::string(kStoreCaller) + " - ", error);
        }
    }
}

void SearchSchedule::StoreMustRun(ScheduledTask task, bool owed)
{
    if (auto key = OpenUserSettingsForWriting(kStoreCaller)) {
        try {
            key->SetDWORDValue(CommonText(ValueIdsOf(task).mustRun), owed ? 1 : 0);
        } catch (const RegKeyException& error) {
            LogRegKeyException(std::string(kStoreCaller) + " - ", error);
        }
    }
}
