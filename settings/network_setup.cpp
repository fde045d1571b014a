#include "network_setup.h"

#include "full_search.h"
#include "logging/logging.h"
#include "netsetup/net_setup_property_sheet.h"
#include "public/rescan_startup_dlg.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "shell_notices.h"
#include "single_instance.h"

namespace {

std::vector<std::string> DomainsSearched(const NetworkSetupAnswers& answers)
{
    switch (answers.scope) {
    case OwnDomain: {
        const std::string own = AuxiliaryFunctions::GetComputerDomain();
        return own.empty() ? std::vector<std::string>() : std::vector<std::string>{own};
    }
    case AllDomains:
        return {};
    case SelectedDomains:
        break;
    }
    return answers.domains;
}

void OpenTutorial(HWND owner)
{
    try {
        const std::string tutorial = ReadProgramPath() + "\\" + CommonText(IDS_TUTORIAL_HELP_FILE_NAME);
        ::WinHelpA(owner, tutorial.c_str(), HELP_CONTENTS, 0);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::InitInstance() - ", error);
    }
}

} // namespace

void RunFirstNetworkSetup(SingleInstance& instance)
{
    NotifyMyComputerChanged();
    if (AuxiliaryFunctions::GetUser() == ItemCreatorClient)
        return;
    if (!instance.Acquire(SingleInstanceTask::NetworkSetup))
        return;
    NetSetupPropertySheet wizard;
    if (wizard.DoModal(nullptr) > 0)
        FinishNetworkSetup(wizard.Answers(), nullptr);
}

void FinishNetworkSetup(const NetworkSetupAnswers& answers, HWND owner)
{
    AuxiliaryFunctions::SaveNetworkSettings(answers.netWare, answers.windowsNetwork, answers.scope,
                                            DomainsSearched(answers));
    const bool searching = answers.searchNow && StartARescan();
    if (answers.tutorial)
        OpenTutorial(owner);
    if (searching) {
        RescanStartupDlg notice(owner, false, false);
        notice.DoModal();
    }
}
