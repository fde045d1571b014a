#include "ns_clients_page.h"

#include "help_topics.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

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
        const std::string text =
            FormatText(ProgramText(IDS_SETUP_SCRIPT_WIZARD_NOT_AVAILABLE_FMT), BrandingText(IDS_BRAND_PRODUCT_TITLE));
        ShowPrompt(Window(), text, WindowString(Sheet()), MB_OK | MB_ICONINFORMATION);
        return true;
    }
    return SettingsPage::OnCommand(id, code, control);
}
