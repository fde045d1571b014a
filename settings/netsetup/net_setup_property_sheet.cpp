#include "net_setup_property_sheet.h"

#include "net_setup_pages.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"

#include <memory>

NetSetupPropertySheet::NetSetupPropertySheet()
    : Wizard(std::string(), ::GetModuleHandleA(nullptr)), supportedNetworks_(AuxiliaryFunctions::CheckSupportedNetworks())
{
    answers_.windowsNetwork = (supportedNetworks_ & MicrosoftWindowsNetworkBit) ? 1 : 0;
    answers_.netWare = (supportedNetworks_ & NetWareNetworkBit) ? 1 : 0;
    answers_.scope = OwnDomain;
    answers_.searchNow = true;
    const bool tutorialOffered = ExternalResMgr::GetFlag(g_hBrandingInstance, IDS_BRAND_TUTORIAL_FLAG) != 0;
    answers_.tutorial = tutorialOffered;

    AddPage(std::make_unique<NetSetupStartPage>(supportedNetworks_));
    AddPage(std::make_unique<NetSetupSelectNetworkPage>(answers_, supportedNetworks_));
    AddPage(std::make_unique<NetSetupSMBScopePage>(answers_));
    AddPage(std::make_unique<NetSetupFinishPage>(answers_, tutorialOffered));
}
