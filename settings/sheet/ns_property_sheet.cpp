#include "ns_property_sheet.h"

#include "help_routing.h"
#include "ns_clients_page.h"
#include "ns_disc_search_page.h"
#include "ns_general_page.h"
#include "ns_public_folders_page.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "search_module_switch.h"
#include "setting_values.h"
#include "settings/auxiliary.h"
#include "settings_broadcast.h"
#include "script/setup_script_update.h"
#include "stored_schedule.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

constexpr char kApplyCaller[] = "NSPropertySheet::OnApply";

UINT TimerMessageOf(ScheduledTask task)
{
    switch (task) {
    case ScheduledTask::QuickSearch:
        return IDS_MSG_REFRESH_TIMER_CHANGE;
    case ScheduledTask::FullSearch:
        return IDS_MSG_RESCAN_TIMER_CHANGE;
    case ScheduledTask::UpdatePublic:
        break;
    }
    return IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE;
}

std::string SheetTitle() { return FormatText(CommonText(IDS_SETTINGS_TITLE_FMT), BrandingText(IDS_BRAND_PRODUCT_TITLE)); }

} // namespace

NSPropertySheet::NSPropertySheet(UINT startPage) : PropertySheetDialog(SheetTitle(), ::GetModuleHandleA(nullptr))
{
    ShowHelpButton();
    SetStartPage(startPage);
    backgroundProcess_ = ReadSettingDword(SettingsHive::User, IDS_BACKGROUND_PROCESS_VALUE, 0, "NSPropertySheet::NSPropertySheet");

    const ItemCreators user = AuxiliaryFunctions::GetUser();
    AddSettingsPage(std::make_unique<NSGeneralPage>(*this));
    if (user != ItemCreatorClient)
        AddSettingsPage(std::make_unique<NSDiscSearchPage>(*this));
    if (user == ItemCreatorServer) {
        AddSettingsPage(std::make_unique<NSPublicFoldersPage>(*this, PublicFoldersForm::Administrator));
        AddSettingsPage(std::make_unique<NSClientsPage>(*this));
    }
    if (user == ItemCreatorClient)
        AddSettingsPage(std::make_unique<NSPublicFoldersPage>(*this, PublicFoldersForm::Client));
}

void NSPropertySheet::AddSettingsPage(std::unique_ptr<SettingsPage> page)
{
    pages_.push_back(page.get());
    AddPage(std::move(page));
}

void NSPropertySheet::PageApplied(const SettingsPage& page)
{
    // The sheet asks the pages that were shown, in order.
    const SettingsPage* last = nullptr;
    for (const SettingsPage* shown : pages_) {
        if (shown->Window())
            last = shown;
    }
    if (last == &page)
        FinishApply();
}

void NSPropertySheet::FinishApply()
{
    ApplyBackgroundProcess();
    for (ScheduledTask task : changedSchedules_)
        AnnounceSchedule(task);
    changedSchedules_.clear();
    if (std::exchange(networksChanged_, false))
        ShowPrompt(Window(), ProgramText(IDS_NETWORK_SETTINGS_CHANGED), SheetTitle(), MB_OK | MB_ICONINFORMATION);
    if (std::exchange(dataLocationChanged_, false))
        OfferSetupScriptUpdate(Window());
}

void NSPropertySheet::ApplyBackgroundProcess()
{
    bool wanted = false;
    for (ScheduledTask task : kScheduledTasks)
        wanted = wanted || ReadSettingDword(SettingsHive::User, ValueIdsOf(task).onOff, 0, kApplyCaller) != 0;
    const unsigned long value = wanted ? 1 : 0;
    if (value == backgroundProcess_)
        return;
    WriteSettingDword(SettingsHive::User, IDS_BACKGROUND_PROCESS_VALUE, value, kApplyCaller);
    backgroundProcess_ = value;
    TurnSearchModuleOnOrOff(wanted);
    if (!wanted) {
        for (ScheduledTask task : kScheduledTasks)
            WriteSettingDword(SettingsHive::User, ValueIdsOf(task).mustRun, 0, kApplyCaller);
    }
    BroadcastSetting(IDS_MSG_BACKGROUND_SEARCH_CHANGE);
}

void NSPropertySheet::AnnounceSchedule(ScheduledTask task) const
{
    const TaskValueIds ids = ValueIdsOf(task);
    const Schedule schedule = ReadSchedule(task, kApplyCaller);
    WriteSettingDword(SettingsHive::User, ids.periodMinutes, PeriodMinutes(schedule.count, schedule.unit).value_or(0),
                      kApplyCaller);
    if (!schedule.on || schedule.count == 0)
        WriteSettingDword(SettingsHive::User, ids.mustRun, 0, kApplyCaller);
    BroadcastSetting(TimerMessageOf(task));
}

void NSPropertySheet::ShowCurrentPageHelp() const
{
    HWND current = Window() ? PropSheet_GetCurrentPageHwnd(Window()) : nullptr;
    for (const SettingsPage* page : pages_) {
        if (current && page->Window() == current) {
            LaunchHelpTopic(page->HelpTopic());
            return;
        }
    }
    LaunchHelpTopic(-1);
}
