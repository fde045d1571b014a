// The settings program's tasks that talk to the search module, against the recording module.

#include "about_dialog.h"
#include "full_search.h"
#include "launch_request.h"
#include "network_setup.h"
#include "recording_search_module.h"
#include "res/dialwise_ids.h"
#include "settings_sheet_driver.h"

#include "support/dialog_driver.h"

#include <gtest/gtest.h>

namespace {

using ProgramTasksTest = SettingsSheetTest;

BOOL CALLBACK AppendText(HWND child, LPARAM text)
{
    *reinterpret_cast<std::string*>(text) += WindowText(child) + "\n";
    return TRUE;
}

// The texts of a dialog's controls, one a line.
std::string DialogText(HWND dialog)
{
    std::string text;
    ::EnumChildWindows(dialog, &AppendText, reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST_F(ProgramTasksTest, ShortcutsHandTheItemToTheLaunchManagerAsTyped)
{
    AskLaunchManager(LaunchRequest::ExecuteLaunchObject, "Work\\Tool:x");
    AskLaunchManager(LaunchRequest::AutoMapMedia, "Work\\Office Suite");
    EXPECT_EQ((std::vector<std::string>{"ExecuteLaunchObject(Work\\Tool:x)", "AutoMapMedia(Work\\Office Suite,0)"}),
              module.Calls());
}

TEST_F(ProgramTasksTest, AFullSearchRegistersAsksWithItsIdAndEndsTheRegistration)
{
    EXPECT_TRUE(StartARescan());
    EXPECT_EQ((std::vector<std::string>{"Add(null,'')", "Rescan(7)", "Remove(0)"}), module.Calls());
}

TEST_F(ProgramTasksTest, AFinishedNetworkSetupStoresTheDomainsOfItsScope)
{
    Machine().SetStringValue("Workgroup", "HOMEGROUP");
    NetworkSetupAnswers answers;
    answers.windowsNetwork = 1;
    answers.searchNow = false;
    answers.domains = {"SALES", "LAB"};

    answers.scope = OwnDomain;
    FinishNetworkSetup(answers, nullptr);
    EXPECT_EQ(std::vector<std::string>{"HOMEGROUP"}, StoredDomains());
    EXPECT_EQ(1u, User().GetKeyRead("Disc Search").QueryDWORDValue("Microsoft Windows Network"));

    answers.scope = SelectedDomains;
    FinishNetworkSetup(answers, nullptr);
    EXPECT_EQ((std::vector<std::string>{"LAB", "SALES"}), StoredDomains());

    // A search asked for shows the scanning notice while it starts.
    answers.scope = AllDomains;
    answers.searchNow = true;
    ModalDialogRun finishing([&answers] {
        FinishNetworkSetup(answers, nullptr);
        return 0;
    });
    HWND notice = finishing.Window();
    EXPECT_NE(std::string::npos, DialogText(notice).find("A background scan for accessible discs")) << DialogText(notice);
    ClickItem(notice, IDOK);
    INT_PTR ended = 0;
    ASSERT_TRUE(finishing.WaitForEnd(ended));
    EXPECT_TRUE(StoredDomains().empty());
    EXPECT_EQ(1u, User().GetKeyRead("Disc Search\\SMB Domains").QueryDWORDValue("Entire Network"));
    EXPECT_EQ((std::vector<std::string>{"Add(null,'')", "Rescan(7)", "Remove(0)"}), module.Calls());
}

TEST_F(ProgramTasksTest, TheAboutBoxShowsTheProductVersionAndTheBuild)
{
    ModalDialogRun run([] {
        AboutDialog about;
        return about.DoModal(nullptr);
    });
    HWND about = run.Window();
    EXPECT_EQ("About Halvo", WindowText(about));
    EXPECT_EQ("Version 2.00 (build 1.0.0)", ItemText(about, IDC_ABOUT_VERSION));
    EXPECT_EQ("Tessaro Halvo Network Storage Client", ItemText(about, IDC_ABOUT_PRODUCT));
    SaveSheetScreenshot(about, "settings-about-box");
    ClickItem(about, IDOK);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
}

} // namespace
