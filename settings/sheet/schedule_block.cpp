#include "schedule_block.h"

#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "resources/texts.h"
#include "schedule_text.h"
#include "settings/next_event_text.h"
#include "ui/window_text.h"

#include <commctrl.h>

namespace {

constexpr UINT kUnitNames[] = {IDS_UNIT_MINUTES, IDS_UNIT_HOURS, IDS_UNIT_DAYS};

std::string LocaleTimeFormat()
{
    char format[128] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format, sizeof format) <= 0)
        return "HH:mm";
    return TimeFormatWithoutSeconds(format);
}

SYSTEMTIME LocalSystemTime(std::time_t when)
{
    SYSTEMTIME time{};
    if (const std::tm* local = std::localtime(&when)) {
        time.wYear = static_cast<WORD>(local->tm_year + 1900);
        time.wMonth = static_cast<WORD>(local->tm_mon + 1);
        time.wDay = static_cast<WORD>(local->tm_mday);
        time.wDayOfWeek = static_cast<WORD>(local->tm_wday);
        time.wHour = static_cast<WORD>(local->tm_hour);
        time.wMinute = static_cast<WORD>(local->tm_min);
    }
    return time;
}

} // namespace

void ScheduleBlock::Load(HWND page, std::time_t now, const char* caller)
{
    stored_ = ReadSchedule(task_, caller);
    std::time_t next = 0;
    if (!ParseNextEvent(stored_.nextEvent, next))
        stored_.nextEvent = ComputeAndStoreNextEvent(task_, stored_, now, caller);

    ::CheckDlgButton(page, baseId_ + IDC_SCHEDULE_ON, stored_.on ? BST_CHECKED : BST_UNCHECKED);
    ::SetWindowTextA(Item(page, IDC_SCHEDULE_COUNT), std::to_string(stored_.count).c_str());
    HWND unit = Item(page, IDC_SCHEDULE_UNIT);
    ::SendMessageA(unit, CB_RESETCONTENT, 0, 0);
    for (UINT name : kUnitNames)
        ::SendMessageA(unit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ProgramText(name).c_str()));
    // A damaged unit shows as minutes, and is saved so once the user applies.
    ::SendMessageA(unit, CB_SETCURSEL, stored_.unit < std::size(kUnitNames) ? stored_.unit : 0, 0);
    ::SendMessageA(Item(page, IDC_SCHEDULE_TIME), DTM_SETFORMATA, 0,
                   reinterpret_cast<LPARAM>(LocaleTimeFormat().c_str()));
    ShowNextEvent(page, stored_.nextEvent);
}

void ScheduleBlock::ShowNextEvent(HWND page, const std::string& text) const
{
    std::time_t next = 0;
    if (!ParseNextEvent(text, next))
        next = std::time(nullptr);
    SYSTEMTIME time = LocalSystemTime(next);
    ::SendMessageA(Item(page, IDC_SCHEDULE_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    ::SendMessageA(Item(page, IDC_SCHEDULE_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

std::optional<Schedule> ScheduleBlock::Read(HWND page) const
{
    Schedule edited;
    edited.on = ::IsDlgButtonChecked(page, baseId_ + IDC_SCHEDULE_ON) == BST_CHECKED;
    const LRESULT unit = ::SendMessageA(Item(page, IDC_SCHEDULE_UNIT), CB_GETCURSEL, 0, 0);
    edited.unit = unit == CB_ERR ? 0 : static_cast<unsigned long>(unit);
    const std::optional<unsigned long> count = ParsePeriodCount(WindowString(Item(page, IDC_SCHEDULE_COUNT)), edited.unit);
    if (!count)
        return std::nullopt;
    edited.count = *count;

    SYSTEMTIME date{};
    SYSTEMTIME time{};
    if (::SendMessageA(Item(page, IDC_SCHEDULE_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID ||
        ::SendMessageA(Item(page, IDC_SCHEDULE_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
        edited.nextEvent = stored_.nextEvent;
        return edited;
    }
    std::tm local{};
    local.tm_year = date.wYear - 1900;
    local.tm_mon = date.wMonth - 1;
    local.tm_mday = date.wDay;
    local.tm_hour = time.wHour;
    local.tm_min = time.wMinute;
    local.tm_isdst = -1;
    const std::time_t next = std::mktime(&local);
    edited.nextEvent = next == static_cast<std::time_t>(-1) ? stored_.nextEvent : FormatNextEvent(next);
    return edited;
}

bool ScheduleBlock::Save(const Schedule& edited, const char* caller)
{
    const bool changed = SaveSchedule(task_, edited, stored_, caller);
    stored_ = edited;
    return changed;
}

void ScheduleBlock::FocusPeriod(HWND page) const
{
    HWND count = Item(page, IDC_SCHEDULE_COUNT);
    ::SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(count), TRUE);
    ::SendMessageA(count, EM_SETSEL, 0, -1);
}
