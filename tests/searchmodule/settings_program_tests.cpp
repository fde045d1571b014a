// The settings program started as its own process, the way Explorer, the desktop shortcuts and
// a user start it: a launch object's shortcut runs it through the real search module, the
// switches pick one task, and a second start of a window brings the first copy's to the front.

#include "launch_record.h"
#include "module_session.h"

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "support/cache_tree.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <prsht.h>

#include <string>

namespace {

constexpr char kSheetTitle[] = "Halvo Settings";

struct TitleCount {
    const char* title;
    int windows = 0;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM parameter)
{
    auto& count = *reinterpret_cast<TitleCount*>(parameter);
    char text[128] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (::IsWindowVisible(window) && std::string(text) == count.title)
        ++count.windows;
    return TRUE;
}

int CountWindowsTitled(const char* title)
{
    TitleCount count{title};
    ::EnumWindows(&CountTitled, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

BOOL CALLBACK AppendStaticText(HWND child, LPARAM parameter)
{
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    char text[512] = {};
    ::GetWindowTextA(child, text, sizeof text);
    if (::lstrcmpiA(className, "Static") == 0 && text[0] != '\0')
        *reinterpret_cast<std::string*>(parameter) += text;
    return TRUE;
}

// The text a message box shows.
std::string BoxText(HWND box)
{
    std::string text;
    ::EnumChildWindows(box, &AppendStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

int CurrentPageIndex(HWND sheet)
{
    const LRESULT page = ::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    return static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, static_cast<WPARAM>(page), 0));
}

// The settings program's log, as far as it is written.
std::string ProgramLog() { return ReadWholeFile(JoinPath(TestEnvironment("SEARCH_TEST_DATA"), "dialwise.log")); }

// Waits until the log holds the text more often than `before`; false after the time is up.
bool WaitForLogLine(const std::string& text, size_t before, DWORD timeoutMs = 30000)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const std::string log = ProgramLog();
        size_t found = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++found;
        if (found > before)
            return true;
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(50);
    }
}

size_t CountInLog(const std::string& text)
{
    const std::string log = ProgramLog();
    size_t found = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
        ++found;
    return found;
}

using SettingsProgramTest = ModuleTestSuite;

TEST_F(SettingsProgramTest, ALaunchObjectsShortcutRunsItThroughTheSearchModule)
{
    TempDirectory records;
    const std::string record = records.File("record.txt");
    MakeFolder("", "Network Storage", RootFolder);
    MakeFolder("Work", "Work", UserFolder);
    MakeFolder("Work\\Tool", "Tool", LaunchObject);
    const std::string target = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "launch_target.exe");
    CacheKey("Work\\Tool").SetStringValue("TargetFile", "\"" + target + "\" \"" + record + "\"");

    SettingsProgram shortcut("\"-e:Work\\Tool\"");
    ASSERT_TRUE(shortcut.Started());
    EXPECT_EQ(0, shortcut.WaitForExit());
    EXPECT_TRUE(WaitForLaunchRecord(record, 15000)) << "the launch object's program never started";
}

TEST_F(SettingsProgramTest, ASecondStartOfTheSheetBringsTheFirstBackInsteadOfOpeningAnother)
{
    SettingsProgram first("-s:2");
    HWND sheet = first.WaitForWindow(kSheetTitle);
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(2, CurrentPageIndex(sheet));
    ::ShowWindow(sheet, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(sheet));

    SettingsProgram second("/S:2");
    EXPECT_EQ(0, second.WaitForExit());
    EXPECT_FALSE(::IsIconic(sheet)) << "the first copy's sheet is restored";
    EXPECT_EQ(sheet, ::GetForegroundWindow());
    EXPECT_EQ(1, CountWindowsTitled(kSheetTitle));
    EXPECT_FALSE(first.HasEnded());
    ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_EQ(0, first.WaitForExit());
}

TEST_F(SettingsProgramTest, ASecondStartWaitsForAFirstCopyStillStartingAndTakesOverFromOneThatEnded)
{
    const std::string waiting = "exists, waiting for the running copy's window";
    ScopedKernelHandle claimed(::CreateMutexA(nullptr, FALSE, CommonText(IDS_MUTEX_SETTINGS).c_str()));
    ASSERT_TRUE(claimed);
    {
        // The first copy has its mutex but no window yet.
        const size_t before = CountInLog(waiting);
        SettingsProgram second("-s:0");
        ASSERT_TRUE(WaitForLogLine(waiting, before));
        HWND late = ::CreateWindowExA(0, "STATIC", kSheetTitle, WS_OVERLAPPEDWINDOW | WS_MINIMIZE | WS_VISIBLE, 0, 0,
                                      200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, late);
        ASSERT_TRUE(::IsIconic(late));
        // The window is this thread's: it answers the raising copy's messages until that ends.
        bool restored = false;
        for (int round = 0; round < 600 && !(restored && second.HasEnded()); ++round) {
            MSG message;
            while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&message);
            restored = restored || !::IsIconic(late);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        EXPECT_TRUE(restored) << "the late window was found and restored";
        EXPECT_EQ(0, second.WaitForExit());
        EXPECT_EQ(nullptr, second.FindWindowTitled(kSheetTitle));
        ::DestroyWindow(late);
    }
    {
        // The first copy ends before its window was found: the second opens the sheet itself.
        HANDLE mutex = ::CreateMutexA(nullptr, FALSE, CommonText(IDS_MUTEX_SETTINGS).c_str());
        const size_t before = CountInLog(waiting);
        SettingsProgram second("-s:0");
        ASSERT_TRUE(WaitForLogLine(waiting, before));
        ::CloseHandle(mutex);
        claimed.Reset();
        HWND sheet = second.WaitForWindow(kSheetTitle);
        ASSERT_NE(nullptr, sheet);
        ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_EQ(0, second.WaitForExit());
    }
}

TEST_F(SettingsProgramTest, TheDriveRefreshIsTestedFirstAndABadLetterIsRefused)
{
    SettingsProgram both("-u:D -s:1");
    EXPECT_EQ(0, both.WaitForExit());
    EXPECT_EQ(0, CountWindowsTitled(kSheetTitle));

    const size_t before = CountInLog("refused '1'");
    SettingsProgram refused("-u:1");
    EXPECT_EQ(0, refused.WaitForExit());
    EXPECT_EQ(before + 1, CountInLog("refused '1'"));
}

TEST_F(SettingsProgramTest, WithoutAKnownSwitchTheUserIsToldWhereToStartIt)
{
    SettingsProgram alone("-x");
    HWND box = alone.WaitForWindow("Halvo");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Program has to be run from the Halvo software.", BoxText(box));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, alone.WaitForExit());
}

} // namespace
