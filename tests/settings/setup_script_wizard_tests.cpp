// The client setup script wizard shown for real and walked as an administrator walks it: the
// pages it shows, the script it writes, and what it refuses.

#include "settings_sheet_driver.h"
#include "wizard_driver.h"

#include "res/dialwise_ids.h"
#include "script/setup_folder.h"
#include "script/setup_script_content.h"
#include "script/setup_script_wizard.h"

#include "support/dialog_driver.h"

#include <commctrl.h>

#include <optional>

namespace {

constexpr char kStartTitle[] = "Client Setup Script - Start";
constexpr char kInstallationTitle[] = "Client Setup Script - Select Installation Location";
constexpr char kPublicFoldersTitle[] = "Client Setup Script - Select Public Folders Location";
constexpr char kActionsTitle[] = "Client Setup Script - Select Actions";
constexpr char kFinishTitle[] = "Client Setup Script - Finish";
constexpr char kProposedDirectory[] = "%Program Files%\\Orvek Communications\\Halvo";
constexpr int kSheetClientSetupPage = 3;

// One administrator's answers, page by page; a directory left unset keeps what the page shows.
struct ScriptChoices {
    bool promptDirectory = false;
    std::optional<std::string> directory;
    bool promptDataLocation = false;
    std::optional<std::string> dataLocation;
    bool promptActions = false;
    bool tutorial = false;
    bool shortcut = true;
    bool silent = false;
};

class SetupScriptWizardTest : public SettingsSheetTest {
protected:
    void SetUp() override
    {
        SettingsSheetTest::SetUp();
        RegKey::LOCAL_MACHINE.CreateKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion")
            .SetStringValue("ProgramFilesDir", "C:\\Program Files");
        Machine().SetStringValue("Global Data Location", "\\\\SRV\\data");
        Machine().SetStringValue("Client Setup Location", setup.Path());
    }

    static std::unique_ptr<ModalDialogRun> OpenWizard()
    {
        return std::make_unique<ModalDialogRun>([] {
            ClientSetupScriptWizard wizard;
            return wizard.DoModal(nullptr);
        });
    }

    // Answers one location page and goes on to the next page.
    static void AnswerLocation(HWND wizard, bool prompt, const std::optional<std::string>& directory, const char* next)
    {
        HWND page = WizardPageShown(wizard);
        ClickItem(page, prompt ? IDC_SCRIPT_PROMPT : IDC_SCRIPT_USE);
        if (directory)
            TypeIntoItem(page, IDC_SCRIPT_DIRECTORY, *directory);
        ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, next));
    }

    // Walks from the first page to the Finish page answering as the choices say.
    static void WalkToFinish(HWND wizard, const ScriptChoices& choices)
    {
        ASSERT_TRUE(WaitForWizardPage(wizard, kStartTitle));
        ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kInstallationTitle));
        AnswerLocation(wizard, choices.promptDirectory, choices.directory, kPublicFoldersTitle);
        AnswerLocation(wizard, choices.promptDataLocation, choices.dataLocation, kActionsTitle);
        HWND actions = WizardPageShown(wizard);
        ClickItem(actions, choices.promptActions ? IDC_SCRIPT_PROMPT : IDC_SCRIPT_USE);
        SetItemChecked(actions, IDC_SCRIPT_TUTORIAL, choices.tutorial);
        SetItemChecked(actions, IDC_SCRIPT_SHORTCUT, choices.shortcut);
        ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, kFinishTitle));
        ClickItem(WizardPageShown(wizard), choices.silent ? IDC_SCRIPT_SILENT_YES : IDC_SCRIPT_SILENT_NO);
    }

    // Presses Finish; true when the wizard ended.
    static bool PressFinish(ModalDialogRun& run)
    {
        EXPECT_EQ("Back Finish", WizardButtons(run.Window(), "Back Finish"));
        PressSheetButton(run.Window(), PSBTN_FINISH);
        INT_PTR result = 0;
        return run.WaitForEnd(result, 3000);
    }

    // Walks the whole wizard and finishes it; true when it ended.
    static bool CreateScript(const ScriptChoices& choices)
    {
        auto run = OpenWizard();
        WalkToFinish(run->Window(), choices);
        return PressFinish(*run);
    }

    std::string ScriptPath() const { return setup.File("sscript.ini"); }
    std::string Script() const { return ReadWholeFile(ScriptPath()); }
    std::string Entry(const char* section, const char* key) const
    {
        char value[260] = {};
        ::GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, ScriptPath().c_str());
        return value;
    }

    TempDirectory setup;
};

TEST_F(SetupScriptWizardTest, TheFivePagesShowTheProposalsAndFinishWritesTheScript)
{
    auto run = OpenWizard();
    HWND wizard = run->Window();
    const char* const titles[] = {kStartTitle, kInstallationTitle, kPublicFoldersTitle, kActionsTitle, kFinishTitle};
    const char* const buttons[] = {"Next", "Back Next", "Back Next", "Back Next", "Back Finish"};
    const char* const shots[] = {"script-wizard-start", "script-wizard-installation", "script-wizard-public-folders",
                                 "script-wizard-actions", "script-wizard-finish"};
    for (int index = 0; index < 5; ++index) {
        if (index > 0) {
            ASSERT_TRUE(PressAndWaitForPage(wizard, PSBTN_NEXT, titles[index]));
        }
        ASSERT_EQ(titles[index], WizardPageTitle(wizard));
        EXPECT_EQ(buttons[index], WizardButtons(wizard, buttons[index])) << titles[index];
        HWND page = WizardPageShown(wizard);
        EXPECT_TRUE(ShowsBitmap(page, IDC_WIZARD_PICTURE)) << titles[index];
        if (index == 1) {
            EXPECT_EQ(kProposedDirectory, ItemText(page, IDC_SCRIPT_DIRECTORY));
            EXPECT_EQ(std::string("Note: If the path starts with '%Program Files%' (e.g., ") + kProposedDirectory +
                          ") the 'Program Files' folder on the client users' computers will be used.",
                      ItemText(page, IDC_SCRIPT_NOTE));
        }
        if (index == 2) {
            EXPECT_EQ("\\\\SRV\\data", ItemText(page, IDC_SCRIPT_DIRECTORY));
        }
        if (index == 3) {
            EXPECT_EQ("Launch the Halvo tutorial.", ItemText(page, IDC_SCRIPT_TUTORIAL));
            EXPECT_EQ("Create a shortcut to Halvo on the desktop.", ItemText(page, IDC_SCRIPT_SHORTCUT));
            // Left to the client user, the actions' answers do not apply.
            ClickItem(page, IDC_SCRIPT_PROMPT);
            EXPECT_FALSE(IsItemEnabled(page, IDC_SCRIPT_TUTORIAL));
            ClickItem(page, IDC_SCRIPT_USE);
            EXPECT_TRUE(IsItemEnabled(page, IDC_SCRIPT_TUTORIAL));
        }
        SaveSheetScreenshot(wizard, shots[index]);
    }
    ASSERT_TRUE(PressFinish(*run));

    EXPECT_EQ("[Silent Dialogs]\r\nAskDestPath=1\r\nAskDataPath=1\r\nAskOptions=1\r\n"
              "[Dialog Data]\r\nDestinationLocation=%PROGRAM_FILES%\\Orvek Communications\\Halvo\r\n"
              "GlobalDataLocation=\\\\SRV\\data\r\nCreateShortcut=1\r\nRunTutorial=0\r\n",
              Script());
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("Client setup script saved successfully: " + ScriptPath(), prompts.Prompts()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), prompts.Prompts()[0].style);
}

TEST_F(SetupScriptWizardTest, TheClientSetupPageOpensTheWizard)
{
    auto run = OpenSheet(kSheetClientSetupPage);
    HWND sheet = run->Window();
    HWND page = CurrentPage(sheet);
    PostClickItem(page, IDC_CREATE_SETUP_SCRIPT);
    HWND wizard = nullptr;
    for (int round = 0; round < 300 && !wizard; ++round) {
        HWND found = ::FindWindowA(nullptr, kStartTitle);
        wizard = found && ::IsWindowVisible(found) ? found : nullptr;
        ::Sleep(10);
    }
    ASSERT_NE(nullptr, wizard);
    EXPECT_FALSE(::IsWindowEnabled(sheet)) << "the wizard is modal to the sheet";
    CancelDialog(wizard);
    for (int round = 0; round < 300 && ::IsWindow(wizard); ++round)
        ::Sleep(10);
    ASSERT_FALSE(::IsWindow(wizard));
    PressSheetButton(sheet, PSBTN_OK);
    INT_PTR result = 0;
    EXPECT_TRUE(run->WaitForEnd(result));
    EXPECT_TRUE(prompts.Texts().empty()) << "a cancelled wizard writes nothing and says nothing";
    EXPECT_FALSE(FileExists(ScriptPath()));
}

TEST_F(SetupScriptWizardTest, SilentDialogsAreThoseWhoseAnswersTheScriptGives)
{
    ScriptChoices everyPrompt;
    everyPrompt.promptDirectory = everyPrompt.promptDataLocation = everyPrompt.promptActions = true;
    everyPrompt.silent = true;
    ASSERT_TRUE(CreateScript(everyPrompt));
    // A completely silent installation needs every answer: with each left to the user nothing is skipped.
    EXPECT_EQ("[Dialog Data]\r\nDestinationLocation=%PROGRAM_FILES%\\Orvek Communications\\Halvo\r\n"
              "GlobalDataLocation=\\\\SRV\\data\r\nCreateShortcut=1\r\nRunTutorial=0\r\n",
              Script());

    ScriptChoices silent;
    silent.silent = true;
    silent.tutorial = true;
    ASSERT_TRUE(CreateScript(silent));
    EXPECT_EQ(0u, Script().find("[Silent Dialogs]\r\nWelcome=1\r\nUninstall=1\r\nStartCopyFiles=1\r\nStatus=1\r\n"
                                "AskDestPath=1\r\nFinish=1\r\nAskDataPath=1\r\nAskOptions=1\r\n[Dialog Data]\r\n"))
        << Script();
    EXPECT_EQ("1", Entry("Dialog Data", "RunTutorial"));

    ScriptChoices onlyDataAsked;
    onlyDataAsked.promptDataLocation = true;
    onlyDataAsked.silent = true;
    ASSERT_TRUE(CreateScript(onlyDataAsked));
    EXPECT_EQ(0u, Script().find("[Silent Dialogs]\r\nAskDestPath=1\r\nAskOptions=1\r\n[Dialog Data]\r\n")) << Script();
}

TEST_F(SetupScriptWizardTest, TheProgramFilesFolderInAnyCaseBecomesThePlaceholderAndNoDirectoryNoEntry)
{
    ScriptChoices lower;
    lower.directory = "  %program files%\\Tools\\Halvo  ";
    ASSERT_TRUE(CreateScript(lower));
    EXPECT_EQ("%PROGRAM_FILES%\\Tools\\Halvo", Entry("Dialog Data", "DestinationLocation"));

    ScriptChoices empty;
    empty.directory = "";
    empty.dataLocation = "";
    ASSERT_TRUE(CreateScript(empty));
    EXPECT_EQ("[Silent Dialogs]\r\nAskDestPath=1\r\nAskDataPath=1\r\nAskOptions=1\r\n"
              "[Dialog Data]\r\nCreateShortcut=1\r\nRunTutorial=0\r\n",
              Script())
        << "the second script replaced the first whole";

    EXPECT_EQ("%PROGRAM_FILES%Other", ScriptDirectory("%PROGRAM FILES%Other", "Program Files"));
    EXPECT_EQ("D:\\%Program Files%\\x", ScriptDirectory("D:\\%Program Files%\\x", "Program Files"));
    EXPECT_EQ("%Program\\x", ScriptDirectory("%Program\\x", "Program Files"));
    EXPECT_EQ("%%\\x", ScriptDirectory("%%\\x", ""));
}

TEST_F(SetupScriptWizardTest, AScriptThatCannotBeReplacedStaysWholeAndTheUserIsTold)
{
    const std::string old = "[Dialog Data]\r\nRunTutorial=1\r\n";
    ASSERT_TRUE(WriteWholeFile(ScriptPath(), old));
    ASSERT_TRUE(::SetFileAttributesA(ScriptPath().c_str(), FILE_ATTRIBUTE_READONLY));
    auto run = OpenWizard();
    WalkToFinish(run->Window(), ScriptChoices{});
    PressSheetButton(run->Window(), PSBTN_FINISH);
    EXPECT_FALSE(run->HasEnded()) << "the answers stay for another try";
    EXPECT_EQ(old, Script());
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("Error saving client setup script: " + ScriptPath(), prompts.Prompts()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP | MB_SETFOREGROUND), prompts.Prompts()[0].style);

    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(setup.File("*.*").c_str(), &found);
    int files = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &found))
        files += found.cFileName[0] != '.';
    ::FindClose(search);
    EXPECT_EQ(1, files) << "no temporary file is left beside the script";

    ASSERT_TRUE(::SetFileAttributesA(ScriptPath().c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(PressFinish(*run));
    EXPECT_EQ("0", Entry("Dialog Data", "RunTutorial"));
}

TEST_F(SetupScriptWizardTest, AMissingOrRelativeSetupLocationIsRefusedAndNothingIsWritten)
{
    const std::vector<std::string> locations = {"", "setup\\files", "C:setup", "\\setup", "\\\\SERVER"};
    for (const std::string& location : locations) {
        Machine().SetStringValue("Client Setup Location", location);
        auto run = OpenWizard();
        WalkToFinish(run->Window(), ScriptChoices{});
        PressSheetButton(run->Window(), PSBTN_FINISH);
        EXPECT_FALSE(run->HasEnded()) << location;
    }
    ASSERT_EQ(locations.size(), prompts.Texts().size());
    EXPECT_EQ("You must specify the path to where the client setup files are located.", prompts.Texts()[0]);
    for (size_t index = 1; index < locations.size(); ++index)
        EXPECT_EQ(0u, prompts.Texts()[index].find("The location of the client setup files, '" + locations[index] +
                                                  "', is not a full path."))
            << prompts.Texts()[index];
    EXPECT_FALSE(FileExists(ScriptPath()));

    for (const char* absolute : {"C:\\Setup", "c:/setup", "\\\\SRV\\setup", "\\\\SRV\\setup\\clients"})
        EXPECT_TRUE(IsAbsolutePath(absolute)) << absolute;
    for (const char* relative : {"\\\\SRV\\", "\\\\\\SRV\\setup", "1:\\setup", "C:"})
        EXPECT_FALSE(IsAbsolutePath(relative)) << relative;
}

} // namespace
