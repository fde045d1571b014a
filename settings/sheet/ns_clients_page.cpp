#include "ns_clients_page.h"

#include "help_topics.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "script/setup_script_wizard.h"

namespace {

constexpr char kClientsLoadCaller[] = "NSClientsPage::OnInitDialog";

} // namespace

NSClientsPage::NSClientsPage(NSPropertySheet& sheet)
    : SettingsPage(IDD_CLIENTS_PAGE, sheet, "NSClientsPage", kHelpTopicClientSetupPage),
      location_(IDS_CLIENT_SETUP_LOCATION_VALUE, IDC_CLIENT_SETUP_LOCATION, IDC_CLIENT_SETUP_BROWSE,
                IDS_BROWSE_CLIENT_SETUP_TITLE)
{
}

void NSClientsPage::LoadSettings() { location_.Load(Window(), kClientsLoadCaller); }

bool NSClientsPage::SaveSettings() { return location_.Save(Window(), SaveCaller()) != MachineLocation::SaveResult::Failed; }

bool NSClientsPage::OnCommand(int id, int code, HWND control)
{
    if (location_.OnCommand(Window(), id, code))
        return true;
    if (id == IDC_CREATE_SETUP_SCRIPT && code == BN_CLICKED) {
        ClientSetupScriptWizard wizard;
        wizard.DoModal(Sheet());
        return true;
    }
    return SettingsPage::OnCommand(id, code, control);
}
