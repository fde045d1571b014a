// A launch object run by the search module itself, as a shell view asks for it: the module's
// questions are answered by clicking its windows, and the test program records how it was
// started.

#include "com/com_apartment.h"
#include "launch_record.h"
#include "module_session.h"

#include "base/module_path.h"
#include "support/cache_tree.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <future>

namespace {

using Microsoft::WRL::ComPtr;

constexpr int kParameterList = 1327;
constexpr char kLicenceTitle[] = "Licence";
constexpr char kPartsTitle[] = "Choose parts";

// What a shell view does on a double click: the module runs the launch object; the call
// returns once the target started or the user stopped.
HRESULT ExecuteInModule(const std::string& itemPath)
{
    return AskLaunchManager(LaunchRequest::ExecuteLaunchObject, itemPath);
}

class LaunchObjectModuleTest : public ModuleTestSuite {
protected:
    void SetUp() override
    {
        MakeFolder("", "Network Storage", RootFolder);
        MakeFolder("Work", "Work", UserFolder);
        MakeFolder("Work\\Setup", "Setup", LaunchObject);
        RegKey setup = CacheKey("Work\\Setup");
        const std::string target = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "launch_target.exe");
        setup.SetStringValue("TargetFile", "\"" + target + "\" \"" + Record() + "\"");
        setup.SetStringValue("StartIn", startIn_.Path());
        setup.SetDWORDValue("StartAs", 1);

        CacheItem chain;
        LOAction licence;
        licence.LOActionType = 1;
        licence.DlgTitle = kLicenceTitle;
        licence.DlgMessage = "The licence disc must be in the drive.";
        licence.MBButtons = MB_OKCANCEL;
        LOAction parts;
        parts.LOActionType = 2;
        parts.DlgTitle = kPartsTitle;
        parts.DlgMessage = "Which parts?";
        parts.ListItems = "Word processor:/word|Data folder:D:\\data two|Help:/help";
        parts.AllowMultiSelect = 1;
        chain.Actions = {licence, parts};
        chain.WriteActionsToRegistry(setup);
    }

    std::string Record() const { return records_.File("record.txt"); }

    TempDirectory records_;
    TempDirectory startIn_;
};

TEST_F(LaunchObjectModuleTest, AnsweredChainStartsTheTargetWithTheChosenParametersInItsFolder)
{
    auto call = std::async(std::launch::async, ExecuteInModule, std::string("Work\\Setup"));

    HWND licence = WaitForModuleWindow(kLicenceTitle);
    ASSERT_NE(nullptr, licence) << "the module asked no question";
    ClickModuleButton(licence, IDOK);

    HWND parts = WaitForModuleWindow(kPartsTitle);
    ASSERT_NE(nullptr, parts) << "the parameter list did not follow the message box";
    HWND list = ::GetDlgItem(parts, kParameterList);
    ASSERT_EQ(3, ::SendMessageA(list, LB_GETCOUNT, 0, 0));
    ::SendMessageA(list, LB_SETSEL, TRUE, 2);
    ::SendMessageA(list, LB_SETSEL, TRUE, 1);
    ClickModuleButton(parts, IDOK);

    ASSERT_EQ(std::future_status::ready, call.wait_for(std::chrono::seconds(30)));
    EXPECT_EQ(S_OK, call.get());
    const auto record = WaitForLaunchRecord(Record(), 15000);
    ASSERT_TRUE(record) << "the target never started";
    // The values chosen, in list order, one argument each: the colon of a drive path survives.
    EXPECT_EQ((std::vector<std::string>{Record(), "D:\\data two", "/help"}), record->Arguments())
        << record->commandLine;
    EXPECT_EQ(0, ::lstrcmpiA(startIn_.Path().c_str(), record->folder.c_str())) << record->folder;
    EXPECT_EQ(SW_SHOWMINNOACTIVE, record->show);
}

TEST_F(LaunchObjectModuleTest, CancelAtTheSecondStepStartsNothing)
{
    auto call = std::async(std::launch::async, ExecuteInModule, std::string("Work\\Setup"));

    HWND licence = WaitForModuleWindow(kLicenceTitle);
    ASSERT_NE(nullptr, licence);
    ClickModuleButton(licence, IDOK);
    HWND parts = WaitForModuleWindow(kPartsTitle);
    ASSERT_NE(nullptr, parts);
    ::SendMessageA(::GetDlgItem(parts, kParameterList), LB_SETSEL, TRUE, 0);
    ClickModuleButton(parts, IDCANCEL);

    ASSERT_EQ(std::future_status::ready, call.wait_for(std::chrono::seconds(30)));
    EXPECT_EQ(S_FALSE, call.get());
    EXPECT_FALSE(WaitForLaunchRecord(Record(), 2000)) << "a cancelled launch object started its target";
}

} // namespace
