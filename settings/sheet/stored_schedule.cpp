#include "stored_schedule.h"

#include "setting_values.h"
#include "settings/auxiliary.h"
#include "settings/next_event_text.h"

Schedule ReadSchedule(ScheduledTask task, const char* caller)
{
    const TaskValueIds ids = ValueIdsOf(task);
    Schedule schedule;
    schedule.on = ReadSettingDword(SettingsHive::User, ids.onOff, 0, caller) != 0;
    schedule.count = ReadSettingDword(SettingsHive::User, ids.count, 0, caller);
    schedule.unit = ReadSettingDword(SettingsHive::User, ids.unit, 0, caller);
    schedule.nextEvent = ReadSettingText(SettingsHive::User, ids.nextEvent, caller);
    return schedule;
}

std::string ComputeAndStoreNextEvent(ScheduledTask task, const Schedule& schedule, std::time_t now, const char* caller)
{
    const unsigned long minutes = PeriodMinutes(schedule.count, schedule.unit).value_or(0);
    std::time_t next = now;
    std::string text = minutes > 0
                           ? AuxiliaryFunctions::CalculateNextEvent(now, static_cast<long>(minutes), now, next)
                           : FormatNextEvent(now);
    WriteSettingText(SettingsHive::User, ValueIdsOf(task).nextEvent, text, caller);
    return text;
}

bool SaveSchedule(ScheduledTask task, const Schedule& edited, const Schedule& stored, const char* caller)
{
    const TaskValueIds ids = ValueIdsOf(task);
    bool changed = false;
    if (edited.on != stored.on) {
        WriteSettingDword(SettingsHive::User, ids.onOff, edited.on ? 1 : 0, caller);
        changed = true;
    }
    if (edited.count != stored.count) {
        WriteSettingDword(SettingsHive::User, ids.count, edited.count, caller);
        changed = true;
    }
    if (edited.unit != stored.unit) {
        WriteSettingDword(SettingsHive::User, ids.unit, edited.unit, caller);
        changed = true;
    }
    if (edited.nextEvent != stored.nextEvent) {
        WriteSettingText(SettingsHive::User, ids.nextEvent, edited.nextEvent, caller);
        changed = true;
    }
    return changed;
}
