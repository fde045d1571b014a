#include "settings_page.h"

#include "help_routing.h"
#include "ns_property_sheet.h"
#include "res/dialwise_string_ids.h"
#include "resources/texts.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

#include <ctime>

SettingsPage::SettingsPage(UINT templateId, NSPropertySheet& sheet, const char* name, int helpTopic)
    : PropertyPage(templateId, ::GetModuleHandleA(nullptr)), sheet_(sheet), name_(name),
      saveCaller_(name_ + "::SaveSettings"), helpTopic_(helpTopic)
{
    EnableHelpButton();
}

void SettingsPage::AddSchedule(ScheduledTask task, int baseId) { schedules_.emplace_back(task, baseId); }

void SettingsPage::NoteChange()
{
    if (!loading_)
        SetModified(true);
}

bool SettingsPage::OnInitDialog()
{
    loading_ = true;
    const std::string caller = name_ + "::OnInitDialog";
    LoadSettings();
    const std::time_t now = std::time(nullptr);
    for (ScheduleBlock& schedule : schedules_)
        schedule.Load(Window(), now, caller.c_str());
    loading_ = false;
    return true;
}

bool SettingsPage::OnKillActive()
{
    for (const ScheduleBlock& schedule : schedules_) {
        if (!schedule.Read(Window())) {
            ShowErrorPrompt(Window(), ProgramText(IDS_ILLEGAL_PERIOD), WindowString(Sheet()));
            schedule.FocusPeriod(Window());
            return false;
        }
    }
    return true;
}

bool SettingsPage::OnApply()
{
    if (!SaveSettings()) {
        // What the pages before this one saved is still announced.
        sheet_.FinishApply();
        return false;
    }
    for (ScheduleBlock& schedule : schedules_) {
        // A page that was left passed its check, and the page being left was checked just now.
        if (const std::optional<Schedule> edited = schedule.Read(Window()); edited && schedule.Save(*edited, SaveCaller()))
            sheet_.NoteScheduleChanged(schedule.Task());
    }
    sheet_.PageApplied(*this);
    return true;
}

void SettingsPage::OnHelp() { ShowProgramHelp(); }

bool SettingsPage::OnCommand(int, int code, HWND)
{
    if (code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE)
        NoteChange();
    return false;
}

bool SettingsPage::OnNotify(NMHDR& header, LRESULT&)
{
    if (header.code == DTN_DATETIMECHANGE)
        NoteChange();
    return false;
}

bool SettingsPage::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    return HandleHelpMessage(message, result);
}
