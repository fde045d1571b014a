// Discs and launch objects mapped to drive letters for real by the search module, on the
// simulated network: the letter becomes a network drive that lists the share's files, a second
// disc wanting the same letter asks before replacing it, and a launch object's mapping ends
// with its program while the user's own drives stay.

#include "com/com_apartment.h"
#include "launch_record.h"
#include "module_session.h"

#include "base/module_path.h"
#include "item/item.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "support/cache_tree.h"
#include "support/simulated_share.h"
#include "support/temp_directory.h"
#include "ui/prompt.h"

#include <gtest/gtest.h>

#include <winnetwk.h>

#include <fstream>
#include <future>

namespace {

using Microsoft::WRL::ComPtr;

constexpr char kDrive[] = "F:";
constexpr char kDriveRoot[] = "F:\\";
constexpr char kUsersDrive[] = "H:";
constexpr int kCheckBoxNo = 1308;

// What a shell view does when a disc of the user's folders is opened, or a launch object, in
// the background, for a test that answers the module's questions meanwhile.
std::future<HRESULT> AskModule(const std::string& itemPath, bool launchObject)
{
    return std::async(std::launch::async, AskLaunchManager,
                      launchObject ? LaunchRequest::ExecuteLaunchObject : LaunchRequest::AutoMapMedia, itemPath);
}

// The call's answer; a module still asking after the time is ended, and the test fails.
HRESULT AnswerOf(std::future<HRESULT>& call, std::chrono::seconds limit = std::chrono::seconds(60))
{
    if (call.wait_for(limit) != std::future_status::ready) {
        ADD_FAILURE() << "the module did not answer in time";
        TerminateModuleProcesses();
    }
    return call.get();
}

std::string DialogText(HWND dialog)
{
    std::string text;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char buffer[1024] = {};
        ::GetWindowTextA(child, buffer, sizeof buffer);
        text += buffer;
        text += "\n";
    }
    return text;
}

std::string ConnectionOf(const char* localName)
{
    char remote[512] = {};
    DWORD length = sizeof remote;
    return ::WNetGetConnectionA(localName, remote, &length) == NO_ERROR ? remote : "";
}

bool WaitForDriveGone(DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetDriveTypeA(kDriveRoot) == DRIVE_REMOTE) {
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(100);
    }
    return true;
}

BOOL CALLBACK CloseExplorerWindow(HWND window, LPARAM)
{
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "ExplorerWClass") == 0 || lstrcmpA(className, "CabinetWClass") == 0)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void DeleteTree(const RegKey& parent, const std::string& name)
{
    ::RegDeleteTreeA(parent, name.c_str());
}

class DiscMappingModuleTest : public ModuleTestSuite {
protected:
    void SetUp() override
    {
        std::ofstream network(TestEnvironment("SEARCH_TEST_NETWORK"), std::ios::trunc);
        network << "WORKGROUP\\ALPHA|Storage server one\n"
                   "WORKGROUP\\ALPHA\\DISC1|Office suite\n"
                   "WORKGROUP\\ALPHA\\DISC2|Training videos\n"
                   "WORKGROUP\\ALPHA\\TOOLS|Tools\n";
        network.close();
        std::ofstream(disc1_.Folder() + "\\readme.txt") << "on the first disc\n";
        MakeFolder("", "Network Storage", RootFolder);
        DeleteTree(CacheKey(""), "Work");   // what an earlier test left
        MakeFolder("Work", "Work", UserFolder);
        ASSERT_NE(::GetDriveTypeA(kDriveRoot), static_cast<UINT>(DRIVE_REMOTE)) << "F: is taken before the test";
    }

    void TearDown() override
    {
        ::EnumWindows(CloseExplorerWindow, 0);
        ::WNetCancelConnection2A(kDrive, 0, TRUE);
        ::WNetCancelConnection2A(kUsersDrive, CONNECT_UPDATE_PROFILE, TRUE);
        ::DeleteFileA((disc1_.Folder() + "\\readme.txt").c_str());
        ::DeleteFileA((tools_.Folder() + "\\launch_target.exe").c_str());
    }

    // A disc of the folder "Work" that always maps to F:, added as the shell adds one.
    static void AddDiscMappedToF(const std::string& share)
    {
        const ComApartment apartment;
        ComPtr<INotifyNSServer> module = CreateSearchModule();
        ASSERT_TRUE(module);
        ASSERT_EQ(S_OK, module->CreateItem(0, L"Work", ItemRecord(share, CdRomDisc, "Work", "\\\\ALPHA").Get()));
        CacheItem disc;
        disc.Name = disc.OriginalName = share;
        disc.Location = "\\\\ALPHA";
        disc.ItemType = CdRomDisc;
        disc.FolderPath = "Work";
        disc.AutoMapping = 2;
        disc.DriveLetter = "F";
        disc.SaveMoreData();
    }

    // A launch object "Work\\Tool" whose program, on the tools share, unmaps its letters when it
    // ends.
    RegKey MakeToolsLaunchObject()
    {
        const std::string program = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "launch_target.exe");
        EXPECT_TRUE(::CopyFileA(program.c_str(), (tools_.Folder() + "\\launch_target.exe").c_str(), FALSE));
        MakeFolder("Work\\Tool", "Tool", LaunchObject);
        RegKey tool = CacheKey("Work\\Tool");
        tool.SetStringValue("TargetFile", "\\\\ALPHA\\TOOLS\\launch_target.exe \"" + Record() + "\"");
        tool.SetDWORDValue("ExitLOStatus", 1);
        return tool;
    }

    std::string Record() const { return records_.File("record.txt"); }

    // Runs "Work\\Tool" as a shell view does: its program starts in startFolder, and F: goes
    // when it ends.
    void RunToolFrom(const char* startFolder)
    {
        auto call = AskModule("Work\\Tool", true);
        EXPECT_EQ(S_OK, AnswerOf(call));
        const auto started = WaitForLaunchRecord(Record(), 15000);
        ASSERT_TRUE(started) << "the program never started";
        EXPECT_EQ(0, ::lstrcmpiA(startFolder, started->folder.c_str())) << "started in " << started->folder;
        EXPECT_TRUE(WaitForDriveGone(20000)) << "F: stayed mapped after the program ended";
    }

    TempDirectory records_;
    SimulatedShare disc1_{"ALPHA", "DISC1"};
    SimulatedShare disc2_{"ALPHA", "DISC2"};
    SimulatedShare tools_{"ALPHA", "TOOLS"};
};

TEST_F(DiscMappingModuleTest, ADiscThatAlwaysMapsToFBecomesNetworkDriveFWithItsFiles)
{
    AddDiscMappedToF("DISC1");
    auto call = AskModule("Work\\DISC1", false);
    EXPECT_EQ(S_OK, AnswerOf(call));

    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOTE), ::GetDriveTypeA(kDriveRoot));
    EXPECT_EQ(0, ::lstrcmpiA("\\\\ALPHA\\DISC1", ConnectionOf(kDrive).c_str())) << ConnectionOf(kDrive);
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA("F:\\readme.txt", &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << "the share's files are not listed on F:";
    ::FindClose(search);
}

TEST_F(DiscMappingModuleTest, AnAutoMapShortcutOfTheSettingsProgramMapsTheDisc)
{
    AddDiscMappedToF("DISC1");
    // What the desktop shortcut of an AutoMap item runs.
    SettingsProgram shortcut("\"-a:Work\\DISC1\"");
    ASSERT_TRUE(shortcut.Started());
    EXPECT_EQ(0, shortcut.WaitForExit());
    EXPECT_EQ(0, ::lstrcmpiA("\\\\ALPHA\\DISC1", ConnectionOf(kDrive).c_str())) << ConnectionOf(kDrive);
}

TEST_F(DiscMappingModuleTest, ASecondDiscWantingFAsksBeforeReplacingAndNoKeepsTheFirst)
{
    AddDiscMappedToF("DISC1");
    AddDiscMappedToF("DISC2");
    auto first = AskModule("Work\\DISC1", false);
    ASSERT_EQ(S_OK, AnswerOf(first));

    auto call = AskModule("Work\\DISC2", false);
    HWND warning = WaitForModuleWindow(ProductCaption());
    EXPECT_NE(nullptr, warning) << "no replacement warning";
    if (warning) {
        EXPECT_NE(std::string::npos, DialogText(warning).find("already connected to \\\\ALPHA\\DISC1"))
            << DialogText(warning);
        ClickModuleButton(warning, kCheckBoxNo);
    }
    HWND goOn = WaitForModuleWindow(CommonText(IDS_CAPTION_AUTOMAPPING));
    EXPECT_NE(nullptr, goOn) << "the failed mapping asks whether to go on";
    if (goOn)
        ClickModuleButton(goOn, IDNO);
    EXPECT_EQ(S_FALSE, AnswerOf(call));
    EXPECT_EQ(0, ::lstrcmpiA("\\\\ALPHA\\DISC1", ConnectionOf(kDrive).c_str()));
}

TEST_F(DiscMappingModuleTest, ALaunchObjectsProgramRunsFromFAndFIsUnmappedWhenItEnds)
{
    RegKey tool = MakeToolsLaunchObject();
    tool.SetDWORDValue("AutoMapping", 2);
    tool.SetStringValue("DriveLetter", "F");
    RunToolFrom(kDriveRoot);
}

TEST_F(DiscMappingModuleTest, TheUsersRememberedDriveOfTheSameShareOutlivesALaunchObjectThatUnmapsItsLetters)
{
    // The user's own H:, remembered for the next log-on, serves the share the program is on.
    NETRESOURCEA resource{};
    resource.dwType = RESOURCETYPE_DISK;
    resource.lpLocalName = const_cast<char*>(kUsersDrive);
    resource.lpRemoteName = const_cast<char*>("\\\\ALPHA\\TOOLS");
    ASSERT_EQ(static_cast<DWORD>(NO_ERROR), ::WNetAddConnection2A(&resource, nullptr, nullptr, CONNECT_UPDATE_PROFILE));
    ASSERT_TRUE(RegKey::CURRENT_USER.KeyExists("Network\\H"));
    RegKey tool = MakeToolsLaunchObject();
    tool.SetDWORDValue("AutoMapping", 3);
    tool.SetStringValue("MultipleMapping", "Target File Path:H|\\\\ALPHA\\DISC1:F");
    RunToolFrom("H:\\");
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(WaitForModuleEnd(20000)) << "the module still holds the program's mappings";

    EXPECT_EQ(0, ::lstrcmpiA("\\\\ALPHA\\TOOLS", ConnectionOf(kUsersDrive).c_str())) << ConnectionOf(kUsersDrive);
    EXPECT_TRUE(RegKey::CURRENT_USER.KeyExists("Network\\H")) << "the user's drive is no longer remembered";
}

} // namespace
