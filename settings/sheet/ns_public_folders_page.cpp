#include "ns_public_folders_page.h"

#include "help_topics.h"
#include "ns_property_sheet.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"

namespace {

constexpr char kLoadCaller[] = "NSPublicFoldersPage::OnInitDialog";

} // namespace

NSPublicFoldersPage::NSPublicFoldersPage(NSPropertySheet& sheet, PublicFoldersForm form)
    : SettingsPage(form == PublicFoldersForm::Administrator ? IDD_PUBLIC_FOLDERS_ADMIN_PAGE
                                                            : IDD_PUBLIC_FOLDERS_CLIENT_PAGE,
                   sheet, "NSPublicFoldersPage", kHelpTopicPublicFoldersPage),
      form_(form),
      location_(IDS_GLOBAL_DATA_LOCATION_VALUE, IDC_PUBLIC_LOCATION, IDC_PUBLIC_BROWSE, IDS_BROWSE_DATA_LOCATION_TITLE)
{
    AddSchedule(ScheduledTask::UpdatePublic, IDC_UPDATE_PUBLIC_SCHEDULE);
}

void NSPublicFoldersPage::LoadSettings() { location_.Load(Window(), kLoadCaller); }

bool NSPublicFoldersPage::SaveSettings()
{
    switch (location_.Save(Window(), SaveCaller())) {
    case MachineLocation::SaveResult::Failed:
        return false;
    case MachineLocation::SaveResult::Saved:
        if (form_ == PublicFoldersForm::Administrator)
            Settings().NoteDataLocationChanged();
        break;
    case MachineLocation::SaveResult::Unchanged:
        break;
    }
    return true;
}

bool NSPublicFoldersPage::OnCommand(int id, int code, HWND control)
{
    if (location_.OnCommand(Window(), id, code))
        return true;
    return SettingsPage::OnCommand(id, code, control);
}
