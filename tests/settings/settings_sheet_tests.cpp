// The settings sheet shown for real and driven as a user drives it: what each page stores, what
// the sheet announces, and what it refuses.

#include "settings_sheet_driver.h"

#include "help_routing.h"
#include "res/dialwise_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/next_event_text.h"
#include "sheet/ns_property_sheet.h"

#include "support/dialog_driver.h"
#include "support/scripted_network.h"

#include <aclapi.h>
#include <commctrl.h>
#include <sddl.h>

#include <ctime>

namespace {

const std::vector<std::string> kAdministratorPages = {"General", "Disc Search", "Public Folders", "Client Setup"};
const std::vector<std::string> kClientPages = {"General", "Public Folders"};
constexpr int kDiscSearchPage = 1;
constexpr int kAdminPublicFoldersPage = 2;
constexpr int kClientSetupPage = 3;

// True once the window is destroyed: the dialog that ran in it has returned.
bool WaitForWindowGone(HWND window)
{
    for (int round = 0; round < 500 && ::IsWindow(window); ++round)
        ::Sleep(10);
    return !::IsWindow(window);
}

bool Contains(const std::vector<std::string>& texts, const std::string& part)
{
    for (const std::string& text : texts) {
        if (text.find(part) != std::string::npos)
            return true;
    }
    return false;
}

TEST_F(SettingsSheetTest, EachKindOfInstallationGetsItsPagesUnderTheProductsTitle)
{
    {
        auto run = OpenSheet();
        HWND sheet = run->Window();
        EXPECT_EQ("Halvo Settings", WindowText(sheet));
        EXPECT_EQ(kAdministratorPages, PageTitles(sheet));
        EXPECT_TRUE(IsItemVisible(sheet, IDHELP));
        const char* const shots[] = {"settings-admin-general", "settings-admin-disc-search",
                                     "settings-admin-public-folders", "settings-admin-client-setup"};
        for (int page = 0; page < 4; ++page) {
            ShowPage(sheet, page);
            SaveSheetScreenshot(sheet, shots[page]);
        }
    }
    SetKind(kClientInstallation);
    {
        auto run = OpenSheet();
        EXPECT_EQ(kClientPages, PageTitles(run->Window()));
        SaveSheetScreenshot(run->Window(), "settings-client-general");
        ShowPage(run->Window(), kClientPublicFoldersPage);
        SaveSheetScreenshot(run->Window(), "settings-client-public-folders");
    }
    SetKind(691);
    EXPECT_EQ((std::vector<std::string>{"General", "Disc Search"}), PageTitles(OpenSheet()->Window()));
}

TEST_F(SettingsSheetTest, TheSheetOpensAtTheAskedPageAndAtTheFirstForAPageItHasNot)
{
    EXPECT_EQ(2, CurrentPageIndex(OpenSheet(2)->Window()));
    EXPECT_EQ(0, CurrentPageIndex(OpenSheet(4)->Window()));
    EXPECT_EQ(0, CurrentPageIndex(OpenSheet(1000)->Window()));
}

TEST_F(SettingsSheetTest, PeriodsAreStoredInMinutesAndAnnouncedWithBackgroundSearchingSwitchedOn)
{
    BroadcastListener listener;
    auto run = OpenSheet(kDiscSearchPage);
    HWND page = CurrentPage(run->Window());
    SetScheduleOn(page, IDC_REFRESH_SCHEDULE, true);
    SetPeriod(page, IDC_REFRESH_SCHEDULE, "2", 1);
    SetScheduleOn(page, IDC_RESCAN_SCHEDULE, true);
    SetPeriod(page, IDC_RESCAN_SCHEDULE, "1", 2);
    ASSERT_TRUE(PressOk(*run));

    EXPECT_EQ(1u, UserDword("Auto-Refresh"));
    EXPECT_EQ(2u, UserDword("Auto-Refresh Time"));
    EXPECT_EQ(1u, UserDword("Auto-Refresh Time Unit"));
    EXPECT_EQ(120u, UserDword("Auto-Refresh Timer Value"));
    EXPECT_EQ(1u, UserDword("Auto-Rescan Time"));
    EXPECT_EQ(2u, UserDword("Auto-Rescan Time Unit"));
    EXPECT_EQ(1440u, UserDword("Auto-Rescan Timer Value"));
    EXPECT_EQ(1u, UserDword("Background Process"));
    EXPECT_EQ(std::vector<std::string>{"Add(null,'')"}, module.Calls()) << "switched on, the module is started";
    EXPECT_TRUE(listener.WaitFor(IDS_MSG_REFRESH_TIMER_CHANGE));
    EXPECT_TRUE(listener.WaitFor(IDS_MSG_RESCAN_TIMER_CHANGE));
    EXPECT_TRUE(listener.WaitFor(IDS_MSG_BACKGROUND_SEARCH_CHANGE));
    EXPECT_EQ(0u, listener.Received().count(CommonText(IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE)));
}

TEST_F(SettingsSheetTest, APeriodThatIsNoNumberOrDoesNotFitIsRefusedAndThePageStays)
{
    User().SetDWORDValue("Auto-Refresh Time", 5);
    auto run = OpenSheet(kDiscSearchPage);
    HWND sheet = run->Window();
    HWND page = CurrentPage(sheet);
    for (const char* refused : {"12a", "-1", "2982617"}) {
        SetPeriod(page, IDC_REFRESH_SCHEDULE, refused, 2);
        PressSheetButton(sheet, PSBTN_OK);
        ShowPage(sheet, 0);   // leaving the page is refused as well
        EXPECT_FALSE(run->HasEnded()) << refused;
        EXPECT_EQ(kDiscSearchPage, CurrentPageIndex(sheet)) << refused;
    }
    EXPECT_EQ(std::vector<std::string>(6, "Illegal value or format."), prompts.Texts());
    EXPECT_EQ(5u, UserDword("Auto-Refresh Time"));
    EXPECT_EQ(0xDEADBEEFu, UserDword("Auto-Refresh Time Unit")) << "nothing was saved";
}

TEST_F(SettingsSheetTest, SwitchingEveryAutomaticRunOffStopsBackgroundSearching)
{
    for (const char* name : {"Auto-Refresh", "Auto-Rescan", "Auto-Update Public", "Background Process", "MustRefresh",
                             "MustRescan", "MustUpdatePublic"})
        User().SetDWORDValue(name, 1);
    BroadcastListener listener;
    auto run = OpenSheet(kDiscSearchPage);
    HWND sheet = run->Window();
    SetScheduleOn(CurrentPage(sheet), IDC_REFRESH_SCHEDULE, false);
    SetScheduleOn(CurrentPage(sheet), IDC_RESCAN_SCHEDULE, false);
    SetScheduleOn(ShowPage(sheet, kAdminPublicFoldersPage), IDC_UPDATE_PUBLIC_SCHEDULE, false);
    ASSERT_TRUE(PressOk(*run));

    for (const char* name : {"Auto-Refresh", "Auto-Rescan", "Auto-Update Public", "Background Process", "MustRefresh",
                             "MustRescan", "MustUpdatePublic"})
        EXPECT_EQ(0u, UserDword(name)) << name;
    EXPECT_EQ(std::vector<std::string>{"Remove(0)"}, module.Calls());
    EXPECT_TRUE(listener.WaitFor(IDS_MSG_BACKGROUND_SEARCH_CHANGE));
    EXPECT_TRUE(listener.WaitFor(IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE));
}

TEST_F(SettingsSheetTest, AnEmptyOrDamagedNextEventIsComputedFromNowWhenThePageOpens)
{
    User().SetDWORDValue("Auto-Refresh Time", 30);
    User().SetStringValue("Auto-Refresh Next Event", "");
    User().SetDWORDValue("Auto-Rescan Time", 2);
    User().SetDWORDValue("Auto-Rescan Time Unit", 1);
    User().SetStringValue("Auto-Rescan Next Event", "2024 13 40 25 61");
    User().SetStringValue("Auto-Update Public Next Event", "2031 5 6 7 8");
    const std::time_t before = std::time(nullptr);
    auto run = OpenSheet(kDiscSearchPage);
    ShowPage(run->Window(), kAdminPublicFoldersPage);
    const std::time_t after = std::time(nullptr);

    std::time_t quick = 0;
    std::time_t full = 0;
    ASSERT_TRUE(ParseNextEvent(UserText("Auto-Refresh Next Event"), quick)) << UserText("Auto-Refresh Next Event");
    ASSERT_TRUE(ParseNextEvent(UserText("Auto-Rescan Next Event"), full)) << UserText("Auto-Rescan Next Event");
    // To the minute: the period after the moment the page opened.
    EXPECT_GE(quick, before + 30 * 60 - 60);
    EXPECT_LE(quick, after + 30 * 60);
    EXPECT_GE(full, before + 120 * 60 - 60);
    EXPECT_LE(full, after + 120 * 60);
    EXPECT_EQ("2031 5 6 7 8", UserText("Auto-Update Public Next Event")) << "a good next event stays";

    // The pickers show it; OK keeps it.
    SYSTEMTIME shown{};
    HWND page = ShowPage(run->Window(), kDiscSearchPage);
    ::SendDlgItemMessageA(page, IDC_REFRESH_SCHEDULE + IDC_SCHEDULE_TIME, DTM_GETSYSTEMTIME, 0,
                          reinterpret_cast<LPARAM>(&shown));
    const std::tm* local = std::localtime(&quick);
    EXPECT_EQ(local->tm_hour, shown.wHour);
    EXPECT_EQ(local->tm_min, shown.wMinute);
    const std::string stored = UserText("Auto-Refresh Next Event");
    ASSERT_TRUE(PressOk(*run));
    EXPECT_EQ(stored, UserText("Auto-Refresh Next Event"));
}

class NetworkSettingsTest : public SettingsSheetTest {
protected:
    void SetUp() override
    {
        SettingsSheetTest::SetUp();
        RegKey protocols = Machine().CreateKey("Media Type\\Protocols");
        for (const char* name : {"Microsoft Windows Network", "NetWare Network", "IP Network"})
            protocols.SetStringValue(name, "");
        RegKey discSearch = User().CreateKey("Disc Search");
        discSearch.SetDWORDValue("Microsoft Windows Network", 1);
        discSearch.SetDWORDValue("NetWare Network", 0);
        network.AddResource("", {"Microsoft Windows Network", "Microsoft Windows Network"});
        network.SetProviderType("Microsoft Windows Network", 2);
        for (const char* domain : {"WORKGROUP", "LAB"})
            network.AddResource("Microsoft Windows Network", {domain, "Microsoft Windows Network"});
    }

    // The row of a network in the page's list, -1 when it is not listed.
    static int RowOf(HWND list, const std::string& network)
    {
        for (int index = 0; index < ListView_GetItemCount(list); ++index) {
            char text[64] = {};
            ListView_GetItemText(list, index, 0, text, sizeof text);
            if (network == text)
                return index;
        }
        return -1;
    }

    ScriptedNetwork network;
};

TEST_F(NetworkSettingsTest, TheNetworkBoxesAreStoredAndTheUserIsToldToSearchAgain)
{
    {
        auto run = OpenSheet(kDiscSearchPage);
        ASSERT_TRUE(PressOk(*run));
        EXPECT_TRUE(prompts.Texts().empty()) << "nothing changed, nothing to tell";
    }
    auto run = OpenSheet(kDiscSearchPage);
    HWND page = CurrentPage(run->Window());
    HWND list = ::GetDlgItem(page, IDC_DISC_SEARCH_NETWORKS);
    const int windows = RowOf(list, "Microsoft Windows Network");
    const int ip = RowOf(list, "IP Network");
    ASSERT_EQ(3, ListView_GetItemCount(list));
    ASSERT_NE(-1, RowOf(list, "NetWare Network"));
    EXPECT_TRUE(ListView_GetCheckState(list, windows));
    EXPECT_FALSE(ListView_GetCheckState(list, ip));
    ListView_SetCheckState(list, windows, FALSE);
    ListView_SetCheckState(list, ip, TRUE);
    ASSERT_TRUE(PressOk(*run));

    const RegKeyRead discSearch = User().GetKeyRead("Disc Search");
    EXPECT_EQ(0u, discSearch.QueryDWORDValue("Microsoft Windows Network"));
    EXPECT_EQ(0u, discSearch.QueryDWORDValue("NetWare Network"));
    EXPECT_EQ(1u, discSearch.QueryDWORDValue("IP Network"));
    EXPECT_EQ(0u, UserDword("Microsoft Windows Network"));
    ASSERT_EQ(1u, prompts.Texts().size());
    EXPECT_EQ(0u, prompts.Texts()[0].find("You have changed some of the network settings"));
}

TEST_F(NetworkSettingsTest, TheWindowsNetworkPropertiesOfferDomainNamesOnlyAndStoreTheChoice)
{
    RegKey domains = User().CreateKey("Disc Search\\SMB Domains");
    domains.SetStringValue("OFFICE", "");
    domains.SetDWORDValue("Entire Network", 0);
    domains.SetDWORDValue("Stray", 5);
    auto run = OpenSheet(kDiscSearchPage);
    HWND page = CurrentPage(run->Window());
    PostClickItem(page, IDC_DISC_SEARCH_PROPERTIES);
    HWND properties = WaitForDialogWithItem(::GetWindowThreadProcessId(page, nullptr), IDC_SMB_DOMAIN_LIST);
    ASSERT_NE(nullptr, properties);
    EXPECT_EQ("Microsoft Windows Network Properties", WindowText(properties));
    HWND list = ::GetDlgItem(properties, IDC_SMB_DOMAIN_LIST);
    EXPECT_EQ((std::vector<std::string>{"WORKGROUP", "LAB", "OFFICE+"}), CheckListRows(list));
    EXPECT_TRUE(IsItemChecked(properties, IDC_SMB_SELECTED_DOMAINS));
    SaveSheetScreenshot(properties, "settings-network-properties");

    ListView_SetCheckState(list, 1, TRUE);
    ClickItem(properties, IDOK);
    ASSERT_TRUE(WaitForWindowGone(properties));
    ASSERT_TRUE(PressOk(*run));
    const RegKeyRead stored = User().GetKeyRead("Disc Search\\SMB Domains");
    EXPECT_TRUE(stored.ValueExists("LAB"));
    EXPECT_TRUE(stored.ValueExists("OFFICE"));
    EXPECT_FALSE(stored.ValueExists("WORKGROUP"));
    EXPECT_EQ(0u, stored.QueryDWORDValue("Entire Network"));
    EXPECT_TRUE(Contains(prompts.Texts(), "You have changed some of the network settings"));
}

// A registry key the user may read but not change, as HKEY_LOCAL_MACHINE is for users who are
// not administrators.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const RegKey& key) : key_(key)
    {
        DWORD size = 0;
        ::RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
        original_.resize(size);
        ::RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_.data(), &size);
        PSECURITY_DESCRIPTOR denied = nullptr;
        // Everyone: no new values or keys; reading and everything else stays allowed.
        ::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;OICI;0x6;;;WD)(A;OICI;GA;;;WD)", SDDL_REVISION_1,
                                                               &denied, nullptr);
        applied_ = ::RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, denied) == ERROR_SUCCESS;
        ::LocalFree(denied);
    }
    ~ReadOnlyKey()
    {
        if (!original_.empty())
            ::RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_.data());
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    bool Applied() const { return applied_; }

private:
    RegKey key_;
    std::vector<BYTE> original_;
    bool applied_ = false;
};

TEST_F(SettingsSheetTest, AComputerSettingTheUserMayNotChangeIsReportedAndThePageStaysOpen)
{
    Machine().SetStringValue("Client Setup Location", "\\\\SRV\\setup");
    auto run = OpenSheet(kClientSetupPage);
    HWND page = CurrentPage(run->Window());
    TypeIntoItem(page, IDC_CLIENT_SETUP_LOCATION, "\\\\SRV\\other");
    ShowPage(run->Window(), 0);
    {
        const ReadOnlyKey readOnly(Machine());
        ASSERT_TRUE(readOnly.Applied());
        PressSheetButton(run->Window(), PSBTN_OK);
        EXPECT_EQ(kClientSetupPage, CurrentPageIndex(run->Window())) << "the page that could not be saved is shown";
        EXPECT_FALSE(run->HasEnded());
    }
    ASSERT_EQ(1u, prompts.Texts().size());
    EXPECT_EQ(0u, prompts.Texts()[0].find("The setting 'Client Setup Location' could not be saved")) << prompts.Texts()[0];
    EXPECT_EQ("\\\\SRV\\setup", Machine().QueryStringValue("Client Setup Location"));
    // Allowed again, the same OK saves it.
    ASSERT_TRUE(PressOk(*run));
    EXPECT_EQ("\\\\SRV\\other", Machine().QueryStringValue("Client Setup Location"));
}

class SetupScriptUpdateTest : public SettingsSheetTest {
protected:
    void SetUp() override
    {
        SettingsSheetTest::SetUp();
        Machine().SetStringValue("Global Data Location", "\\\\OLD\\data");
        Machine().SetStringValue("Client Setup Location", setup.Path());
        WriteWholeFile(Script(), kScript);
    }

    void ChangeDataLocation(const std::string& location)
    {
        auto run = OpenSheet(kAdminPublicFoldersPage);
        TypeIntoItem(CurrentPage(run->Window()), IDC_PUBLIC_LOCATION, location);
        ASSERT_TRUE(PressOk(*run));
    }
    std::string Script() const { return setup.File("sscript.ini"); }

    static constexpr char kScript[] = "[Silent Dialogs]\r\nAskDataPath=1\r\n\r\n[Dialog Data]\r\n"
                                      "GlobalDataLocation=\\\\OLD\\data\r\nRunTutorial=1\r\n";
    TempDirectory setup;
};

TEST_F(SetupScriptUpdateTest, YesWritesTheNewLocationIntoTheScriptAndLeavesEverythingElse)
{
    prompts.Then(IDYES);
    ChangeDataLocation("\\\\NEW\\data");
    EXPECT_EQ("\\\\NEW\\data", Machine().QueryStringValue("Global Data Location"));
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("Do you want to include the new public folder data location in the client setup script?",
              prompts.Prompts()[0].text);
    EXPECT_EQ("Update Client Setup Script", prompts.Prompts()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), prompts.Prompts()[0].style);
    EXPECT_EQ("[Silent Dialogs]\r\nAskDataPath=1\r\n\r\n[Dialog Data]\r\n"
              "GlobalDataLocation=\\\\NEW\\data\r\nRunTutorial=1\r\n",
              ReadWholeFile(Script()));
}

TEST_F(SetupScriptUpdateTest, NoLeavesTheScriptAndWithoutAFullSetupLocationTheUserIsTold)
{
    prompts.Then(IDNO);
    ChangeDataLocation("\\\\NEW\\data");
    EXPECT_EQ(kScript, ReadWholeFile(Script()));

    Machine().DeleteValue("Client Setup Location");
    prompts.Then(IDYES);
    ChangeDataLocation("\\\\THIRD\\data");
    EXPECT_EQ("You must specify the path to where the client setup files are located.", prompts.Texts().back());
    EXPECT_EQ(kScript, ReadWholeFile(Script()));

    // A relative location would name a folder of wherever the program runs.
    Machine().SetStringValue("Client Setup Location", "setup");
    prompts.Then(IDYES);
    ChangeDataLocation("\\\\FOURTH\\data");
    EXPECT_EQ(0u, prompts.Texts().back().find("The location of the client setup files, 'setup', is not a full path."))
        << prompts.Texts().back();
    EXPECT_EQ(kScript, ReadWholeFile(Script()));
}

TEST_F(SettingsSheetTest, TheTaskbarIconSwitchIsStoredAndAnnounced)
{
    BroadcastListener listener;
    auto run = OpenSheet();
    HWND page = CurrentPage(run->Window());
    EXPECT_TRUE(IsItemChecked(page, IDC_GENERAL_SHOW_ICON)) << "on until the user switches it off";
    ClickItem(page, IDC_GENERAL_SHOW_ICON);
    ASSERT_TRUE(PressOk(*run));
    EXPECT_EQ(0u, UserDword("Show Icon"));
    EXPECT_EQ(0xDEADBEEFu, UserDword("AutoMap Replacement Warning")) << "unchanged, not written";
    EXPECT_TRUE(listener.WaitFor(IDS_MSG_HIDE_TRAY_ICON));
    EXPECT_EQ(0u, listener.Received().count(CommonText(IDS_MSG_SHOW_TRAY_ICON)));
}

TEST_F(SettingsSheetTest, HelpOpensTheTopicOfThePageShown)
{
    std::vector<int> topics;
    SetHelpTopicLauncher([&topics](int topic) { topics.push_back(topic); });
    auto run = std::make_unique<ModalDialogRun>([] {
        NSPropertySheet sheet(kDiscSearchPage);
        SetProgramHelp([&sheet] { sheet.ShowCurrentPageHelp(); });
        const INT_PTR result = sheet.DoModal(nullptr);
        SetProgramHelp(nullptr);
        return result;
    });
    HWND sheet = run->Window();
    PressSheetButton(sheet, PSBTN_HELP);
    HWND general = ShowPage(sheet, 0);
    ::SendMessageA(general, WM_HELP, 0, 0);
    run.reset();
    SetHelpTopicLauncher(nullptr);
    EXPECT_EQ((std::vector<int>{31, 30}), topics);
}

} // namespace
