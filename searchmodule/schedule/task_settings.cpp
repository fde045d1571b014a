#include "task_settings.h"

#include "logging/logging.h"
#include "resources/texts.h"
#include "settings/next_event_text.h"
#include "user_settings.h"

namespace {

// The period in minutes, 0 when none can be used. The stored minutes are what the settings
// program computed and win; the count and its unit only stand in when they are missing.
long StoredPeriodMinutes(const RegKeyRead& key, const TaskValueIds& ids, const char* caller)
{
    unsigned long minutes = 0;
    if (const auto stored = ReadSettingDWORD(key, ids.periodMinutes, caller)) {
        minutes = *stored;
    } else {
        const auto count = ReadSettingDWORD(key, ids.count, caller);
        const auto unit = ReadSettingDWORD(key, ids.unit, caller).value_or(0);
        const auto period = count ? PeriodMinutes(*count, unit) : std::nullopt;
        if (!period) {
            LogFormatted("%s - no usable period for \"%s\", automatic run off\n", caller, CommonText(ids.onOff));
            return 0;
        }
        minutes = *period;
    }
    if (minutes == 0 || minutes > kLongestPeriodMinutes) {
        LogFormatted("%s - refused period of %lu minutes for \"%s\", automatic run off\n", caller, minutes,
                     CommonText(ids.onOff));
        return 0;
    }
    return static_cast<long>(minutes);
}

} // namespace

TaskSettings ReadTaskSettings(const RegKeyRead& key, ScheduledTask task, const char* caller)
{
    const TaskValueIds ids = ValueIdsOf(task);
    TaskSettings settings;
    settings.mustRun = ReadSettingDWORD(key, ids.mustRun, caller).value_or(0) != 0;
    if (ReadSettingDWORD(key, ids.onOff, caller).value_or(0) == 0)
        return settings;
    settings.periodMinutes = StoredPeriodMinutes(key, ids, caller);
    if (settings.periodMinutes == 0)
        return settings;
    settings.enabled = true;
    if (const auto text = ReadSettingString(key, ids.nextEvent, caller); text && !text->empty()) {
        std::time_t when = 0;
        if (ParseNextEvent(*text, when))
            settings.nextEvent = when;
        else
            LogFormatted("%s - refused \"%s\" \"%s\", computing it from now\n", caller, CommonText(ids.nextEvent),
                         *text);
    }
    return settings;
}
