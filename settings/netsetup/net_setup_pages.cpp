#include "net_setup_pages.h"

#include "domain_list.h"
#include "res/dialwise_ids.h"
#include "settings/auxiliary.h"
#include "sheet/network_choice.h"
#include "ui/wait_cursor.h"

namespace {

constexpr char kScopeCaller[] = "NetSetupSMBScopePage::OnInitDialog";

} // namespace

NetSetupStartPage::NetSetupStartPage(unsigned short supportedNetworks)
    : WizardPage(IDD_NETSETUP_START_PAGE, {IDC_NETSETUP_WELCOME}), supportedNetworks_(supportedNetworks)
{
}

// --- NetSetupSelectNetworkPage --------------------------------------------------------------

NetSetupSelectNetworkPage::NetSetupSelectNetworkPage(NetworkSetupAnswers& answers, unsigned short supportedNetworks)
    : WizardPage(IDD_NETSETUP_NETWORK_PAGE, {IDC_NETSETUP_NETWORK_NOTE}), answers_(answers),
      supportedNetworks_(supportedNetworks)
{
}

bool NetSetupSelectNetworkPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    Check(IDC_NETSETUP_WINDOWS_NETWORK, answers_.windowsNetwork != 0);
    Check(IDC_NETSETUP_NETWARE, answers_.netWare != 0);
    // A network this computer has no client for cannot be searched from it.
    ::EnableWindow(Item(IDC_NETSETUP_WINDOWS_NETWORK), (supportedNetworks_ & MicrosoftWindowsNetworkBit) != 0);
    ::EnableWindow(Item(IDC_NETSETUP_NETWARE), (supportedNetworks_ & NetWareNetworkBit) != 0);
    return true;
}

bool NetSetupSelectNetworkPage::OnKillActive()
{
    answers_.windowsNetwork = IsChecked(IDC_NETSETUP_WINDOWS_NETWORK) ? 1 : 0;
    answers_.netWare = IsChecked(IDC_NETSETUP_NETWARE) ? 1 : 0;
    return true;
}

LRESULT NetSetupSelectNetworkPage::OnWizardNext()
{
    return IsChecked(IDC_NETSETUP_WINDOWS_NETWORK) ? 0 : IDD_NETSETUP_FINISH_PAGE;
}

// --- NetSetupSMBScopePage -------------------------------------------------------------------

NetSetupSMBScopePage::NetSetupSMBScopePage(NetworkSetupAnswers& answers) : WizardPage(IDD_NETSETUP_SCOPE_PAGE, {}), answers_(answers) {}

bool NetSetupSMBScopePage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    const WaitCursor wait;
    domains_.Attach(Item(IDC_NETSETUP_DOMAIN_LIST));
    FillDomainList(domains_, ReadDomainChoice(kScopeCaller).domains);
    const int scope = answers_.scope == AllDomains        ? IDC_NETSETUP_ALL_DOMAINS
                      : answers_.scope == SelectedDomains ? IDC_NETSETUP_SELECTED_DOMAINS
                                                          : IDC_NETSETUP_OWN_DOMAIN;
    ::CheckRadioButton(Window(), IDC_NETSETUP_OWN_DOMAIN, IDC_NETSETUP_SELECTED_DOMAINS, scope);
    EnableList();
    return true;
}

bool NetSetupSMBScopePage::OnCommand(int id, int code, HWND)
{
    if (id >= IDC_NETSETUP_OWN_DOMAIN && id <= IDC_NETSETUP_SELECTED_DOMAINS && code == BN_CLICKED) {
        EnableList();
        return true;
    }
    return false;
}

void NetSetupSMBScopePage::EnableList() { ::EnableWindow(domains_.Window(), IsChecked(IDC_NETSETUP_SELECTED_DOMAINS)); }

bool NetSetupSMBScopePage::OnKillActive()
{
    answers_.scope = IsChecked(IDC_NETSETUP_ALL_DOMAINS)        ? AllDomains
                     : IsChecked(IDC_NETSETUP_SELECTED_DOMAINS) ? SelectedDomains
                                                                : OwnDomain;
    answers_.domains = domains_.CheckedNames();
    return true;
}

// --- NetSetupFinishPage ---------------------------------------------------------------------

NetSetupFinishPage::NetSetupFinishPage(NetworkSetupAnswers& answers, bool tutorialOffered)
    : WizardPage(IDD_NETSETUP_FINISH_PAGE, {IDC_NETSETUP_TUTORIAL}), answers_(answers), tutorialOffered_(tutorialOffered)
{
}

bool NetSetupFinishPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    Check(IDC_NETSETUP_SEARCH_NOW, answers_.searchNow);
    Check(IDC_NETSETUP_TUTORIAL, tutorialOffered_ && answers_.tutorial);
    ::ShowWindow(Item(IDC_NETSETUP_TUTORIAL), tutorialOffered_ ? SW_SHOW : SW_HIDE);
    return true;
}

LRESULT NetSetupFinishPage::OnWizardBack()
{
    // The scope page was passed over on the way here.
    return answers_.windowsNetwork ? 0 : IDD_NETSETUP_NETWORK_PAGE;
}

bool NetSetupFinishPage::OnWizardFinish()
{
    answers_.searchNow = IsChecked(IDC_NETSETUP_SEARCH_NOW);
    answers_.tutorial = tutorialOffered_ && IsChecked(IDC_NETSETUP_TUTORIAL);
    return true;
}
