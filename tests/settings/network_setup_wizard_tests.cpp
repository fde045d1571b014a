// The first network set-up wizard shown for real and walked as a user walks it after an
// installation: the pages a computer's networks lead through, the domains offered, and what
// Finish stores.

#include "settings_sheet_driver.h"
#include "wizard_driver.h"

#include "netsetup/net_setup_property_sheet.h"
#include "network_setup.h"
#include "res/dialwise_ids.h"
#include "single_instance.h"

#include "support/dialog_driver.h"
#include "support/scripted_network.h"

#include <commctrl.h>

namespace {

constexpr char kStartTitle[] = "Network Setup - Start";
constexpr char kNetworkTitle[] = "Network Setup - Select Network";
constexpr char kScopeTitle[] = "Network Setup - Select Search Scope for Microsoft Windows Network";
constexpr char kFinishTitle[] = "Network Setup - Finish";

// The branding of a product without a tutorial, in place of the suite's while it lives.
class BrandingWithoutTutorial {
public:
    BrandingWithoutTutorial()
        : previous_(g_hBrandingInstance),
          library_(::LoadLibraryExA("SkinsetWithoutTutorial.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
        g_hBrandingInstance = library_;
    }
    ~BrandingWithoutTutorial()
    {
        g_hBrandingInstance = previous_;
        if (library_)
            ::FreeLibrary(library_);
    }
    BrandingWithoutTutorial(const BrandingWithoutTutorial&) = delete;
    BrandingWithoutTutorial& operator=(const BrandingWithoutTutorial&) = delete;

    bool IsLoaded() const { return library_ != nullptr; }

private:
    HINSTANCE previous_;
    HINSTANCE library_;
};

class NetworkSetupWizardTest : public SettingsSheetTest {
protected:
    void SetUp() override
    {
        SettingsSheetTest::SetUp();
        SetProviders("LanmanWorkstation,NWCWorkstation");
        Machine().SetStringValue("Workgroup", "HOMEGROUP");
        network.AddResource("", {"Microsoft Windows Network", "Microsoft Windows Network"});
        network.SetProviderType("Microsoft Windows Network", 2);
        for (const char* domain : {"WORKGROUP", "LAB"})
            network.AddResource("Microsoft Windows Network", {domain, "Microsoft Windows Network"});
        // Remembered from an earlier set-up, beside values that name no domain.
        RegKey remembered = User().CreateKey("Disc Search\\SMB Domains");
        remembered.SetStringValue("OFFICE", "");
        remembered.SetDWORDValue("Entire Network", 0);
        remembered.SetDWORDValue("Stray", 5);
    }

    static void SetProviders(const std::string& order)
    {
        RegKey::LOCAL_MACHINE.CreateKey("System\\CurrentControlSet\\Control\\NetworkProvider\\Order")
            .SetStringValue("ProviderOrder", order);
    }

    // Runs the wizard; when it ends, answers holds what it asked and finished what it answered.
    std::unique_ptr<ModalDialogRun> OpenWizard()
    {
        return std::make_unique<ModalDialogRun>([this] {
            NetSetupPropertySheet wizard;
            const INT_PTR result = wizard.DoModal(nullptr);
            answers = wizard.Answers();
            finished = result > 0;
            return result;
        });
    }

    static std::vector<std::string> ListedDomains(HWND page)
    {
        return CheckListRows(::GetDlgItem(page, IDC_NETSETUP_DOMAIN_LIST));
    }

    static bool EndWith(ModalDialogRun& run, int button)
    {
        PressSheetButton(run.Window(), button);
        INT_PTR result = 0;
        return run.WaitForEnd(result, 3000);
    }

    ScriptedNetwork network;
    NetworkSetupAnswers answers;
    bool finished = false;
};

TEST_F(NetworkSetupWizardTest, TheFourPagesOfferTheNetworksAndDomainsAndKeepTheAnswers)
{
    auto run = OpenWizard();
    HWND wizard = run->Window();
    ASSERT_TRUE(WaitForWizardPage(wizard, kStartTitle));
    EXPECT_EQ("Next", WizardButtons(wizard, "Next"));
    EXPECT_EQ(0u, ItemText(WizardPageShown(wizard), IDC_NETSETUP_WELCOME).find("Welcome to Halvo."));
    EXPECT_TRUE(ShowsBitmap(WizardPageShown(wizard), IDC_WIZARD_PICTURE));
    SaveSheetScreenshot(wizard, "network-setup-start");

    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kNetworkTitle));
    HWND networks = WizardPageShown(wizard);
    EXPECT_EQ("Back Next", WizardButtons(wizard, "Back Next"));
    EXPECT_TRUE(IsItemChecked(networks, IDC_NETSETUP_WINDOWS_NETWORK));
    EXPECT_TRUE(IsItemChecked(networks, IDC_NETSETUP_NETWARE));
    EXPECT_TRUE(ShowsBitmap(networks, IDC_WIZARD_PICTURE));
    SaveSheetScreenshot(wizard, "network-setup-select-network");
    SetItemChecked(networks, IDC_NETSETUP_NETWARE, false);

    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kScopeTitle));
    HWND scope = WizardPageShown(wizard);
    EXPECT_TRUE(ShowsBitmap(scope, IDC_WIZARD_PICTURE));
    EXPECT_EQ((std::vector<std::string>{"WORKGROUP", "LAB", "OFFICE+"}), ListedDomains(scope));
    EXPECT_TRUE(IsItemChecked(scope, IDC_NETSETUP_OWN_DOMAIN));
    EXPECT_FALSE(IsItemEnabled(scope, IDC_NETSETUP_DOMAIN_LIST));
    ClickItem(scope, IDC_NETSETUP_SELECTED_DOMAINS);
    EXPECT_TRUE(IsItemEnabled(scope, IDC_NETSETUP_DOMAIN_LIST));
    ListView_SetCheckState(::GetDlgItem(scope, IDC_NETSETUP_DOMAIN_LIST), 1, TRUE);
    SaveSheetScreenshot(wizard, "network-setup-scope");

    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kFinishTitle));
    HWND finish = WizardPageShown(wizard);
    EXPECT_EQ("Back Finish", WizardButtons(wizard, "Back Finish"));
    EXPECT_TRUE(IsItemChecked(finish, IDC_NETSETUP_SEARCH_NOW));
    EXPECT_TRUE(IsItemVisible(finish, IDC_NETSETUP_TUTORIAL));
    EXPECT_TRUE(IsItemChecked(finish, IDC_NETSETUP_TUTORIAL));
    EXPECT_EQ("&Launch the Halvo tutorial.", ItemText(finish, IDC_NETSETUP_TUTORIAL));
    EXPECT_TRUE(ShowsBitmap(finish, IDC_WIZARD_PICTURE));
    SaveSheetScreenshot(wizard, "network-setup-finish");
    SetItemChecked(finish, IDC_NETSETUP_SEARCH_NOW, false);

    ASSERT_TRUE(EndWith(*run, PSBTN_FINISH));
    EXPECT_TRUE(finished);
    EXPECT_EQ(1, answers.windowsNetwork);
    EXPECT_EQ(0, answers.netWare);
    EXPECT_EQ(SelectedDomains, answers.scope);
    EXPECT_EQ((std::vector<std::string>{"LAB", "OFFICE"}), answers.domains);
    EXPECT_FALSE(answers.searchNow);
    EXPECT_TRUE(answers.tutorial);
}

TEST_F(NetworkSetupWizardTest, AComputerWithNetWareOnlyPassesTheScopePageOverBothWays)
{
    SetProviders("NWCWorkstation");
    auto run = OpenWizard();
    HWND wizard = run->Window();
    ASSERT_TRUE(WaitForWizardPage(wizard, kStartTitle));
    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kNetworkTitle));
    HWND networks = WizardPageShown(wizard);
    EXPECT_FALSE(IsItemChecked(networks, IDC_NETSETUP_WINDOWS_NETWORK));
    EXPECT_FALSE(IsItemEnabled(networks, IDC_NETSETUP_WINDOWS_NETWORK));
    EXPECT_TRUE(IsItemChecked(networks, IDC_NETSETUP_NETWARE));
    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kFinishTitle));
    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_BACK, kNetworkTitle));
    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kFinishTitle));
    ASSERT_TRUE(EndWith(*run, PSBTN_FINISH));
    EXPECT_EQ(0, answers.windowsNetwork);
    EXPECT_EQ(1, answers.netWare);
}

TEST_F(NetworkSetupWizardTest, WithoutANetworkToSearchTheWizardCanOnlyBeEnded)
{
    SetProviders("SomeOtherProvider");
    auto run = OpenWizard();
    HWND wizard = run->Window();
    ASSERT_TRUE(WaitForWizardPage(wizard, kStartTitle));
    EXPECT_EQ("Finish", WizardButtons(wizard, "Finish"));
    SaveSheetScreenshot(wizard, "network-setup-start-without-network");
    ASSERT_TRUE(EndWith(*run, PSBTN_FINISH));
    EXPECT_TRUE(finished);
    EXPECT_EQ(0, answers.windowsNetwork);
    EXPECT_EQ(0, answers.netWare);
}

TEST_F(NetworkSetupWizardTest, WithoutATutorialInTheProductNoTutorialIsOffered)
{
    const BrandingWithoutTutorial branding;
    ASSERT_TRUE(branding.IsLoaded());
    SetProviders("NWCWorkstation");
    auto run = OpenWizard();
    HWND wizard = run->Window();
    ASSERT_TRUE(WaitForWizardPage(wizard, kStartTitle));
    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kNetworkTitle));
    ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kFinishTitle));
    EXPECT_FALSE(IsItemVisible(WizardPageShown(wizard), IDC_NETSETUP_TUTORIAL));
    ASSERT_TRUE(EndWith(*run, PSBTN_FINISH));
    EXPECT_FALSE(answers.tutorial);
}

// The whole "-n" task: the wizard under its mutex, then what its answers store.
TEST_F(NetworkSetupWizardTest, FinishingTheFirstSetUpStoresTheDomainsOfTheScopeChosen)
{
    const int scopes[] = {IDC_NETSETUP_OWN_DOMAIN, IDC_NETSETUP_ALL_DOMAINS, IDC_NETSETUP_SELECTED_DOMAINS};
    const std::vector<std::string> stored[] = {{"HOMEGROUP"}, {}, {"LAB", "OFFICE"}};
    for (int index = 0; index < 3; ++index) {
        ModalDialogRun run([] {
            SingleInstance instance;
            RunFirstNetworkSetup(instance);
            return 0;
        });
        HWND wizard = run.Window();
        ASSERT_TRUE(WaitForWizardPage(wizard, kStartTitle));
        ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kNetworkTitle));
        ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kScopeTitle));
        HWND scope = WizardPageShown(wizard);
        ClickItem(scope, scopes[index]);
        ListView_SetCheckState(::GetDlgItem(scope, IDC_NETSETUP_DOMAIN_LIST), 1, TRUE);
        ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kFinishTitle));
        HWND finish = WizardPageShown(wizard);
        SetItemChecked(finish, IDC_NETSETUP_SEARCH_NOW, false);
        SetItemChecked(finish, IDC_NETSETUP_TUTORIAL, false);
        PressSheetButton(wizard, PSBTN_FINISH);
        INT_PTR result = 0;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(stored[index], StoredDomains()) << scopes[index];
        EXPECT_EQ(index == 1 ? 1u : 0u, User().GetKeyRead("Disc Search\\SMB Domains").QueryDWORDValue("Entire Network"));
        // What this set-up stored is what the next one remembers.
        User().CreateKey("Disc Search\\SMB Domains").SetStringValue("OFFICE", "");
    }
    EXPECT_EQ(1u, User().GetKeyRead("Disc Search").QueryDWORDValue("Microsoft Windows Network"));
    EXPECT_EQ(1u, User().GetKeyRead("Disc Search").QueryDWORDValue("NetWare Network"));
    EXPECT_TRUE(module.Calls().empty()) << "no search was asked for";
}

} // namespace
