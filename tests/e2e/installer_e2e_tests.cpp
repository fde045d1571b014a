// Steps of the installer's whole-program test (run_installer_tests.sh), each run in the Wine
// prefix of the machine it concerns, with its paths in the environment: what a user does with
// a window of another program (the installer's pages, the purge dialog), and the administrator's
// client set-up script written by the settings program's own code.
#include "explorer_driver.h"
#include "res/clearbay_dialog_ids.h"
#include "script/setup_script_answers.h"
#include "script/setup_script_writer.h"

#include "support/box_answerer.h"
#include "support/branding_loaded.h"
#include "support/dialog_driver.h"
#include "support/program_run.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

// The installer's buttons, as NSIS numbers them.
constexpr int kNextButton = 1;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    for (const DWORD start = ::GetTickCount(); !condition(); ::Sleep(50)) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
    }
    return true;
}

struct TextSearch {
    std::string text;
    std::string className;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleChildWithText(HWND window, LPARAM search)
{
    auto& wanted = *reinterpret_cast<TextSearch*>(search);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (::IsWindowVisible(window) && (wanted.className.empty() || wanted.className == className) &&
        WindowText(window).find(wanted.text) != std::string::npos) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible control of the window (or of its pages) whose text holds text; null when none does.
HWND ChildWithText(HWND window, const std::string& text, const std::string& className = {})
{
    TextSearch search{text, className};
    ::EnumChildWindows(window, &FindVisibleChildWithText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first visible control of a class on the installer's current page.
HWND PageControl(HWND installer, const char* className)
{
    TextSearch search{"", className};
    ::EnumChildWindows(installer, &FindVisibleChildWithText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD ProcessIdOf(const char* imageName)
{
    const ScopedKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        if (::lstrcmpiA(entry.szExeFile, imageName) == 0)
            return entry.th32ProcessID;
    }
    return 0;
}

class InstallerPages {
public:
    explicit InstallerPages(HWND window) : window_(window) {}

    // Waits for the page that shows text, saves its picture, and goes on with the Next button
    // (Install and Finish on the last pages).
    void Expect(const std::string& text, const std::string& shot)
    {
        ASSERT_TRUE(WaitFor([&] { return ChildWithText(window_, text) != nullptr; }, 60000))
            << "no page shows \"" << text << "\"";
        ASSERT_TRUE(WaitFor([&] { return IsItemEnabled(window_, kNextButton); }, 60000));
        SaveScreenshotInBuild(window_, "installer-page-" + shot);
    }
    void Next() const { PostClickItem(window_, kNextButton); }
    HWND Window() const { return window_; }

private:
    HWND window_;
};

} // namespace

// The administrator's script for the clients, written into the client set-up folder that the
// installation made, by the code of the settings program's wizard.
TEST(InstallerSteps, AdministratorWritesTheClientSetupScript)
{
    BrandingLoaded branding;
    ASSERT_TRUE(branding.IsLoaded());
    ScriptedPrompts prompts(IDOK);
    SetupScriptAnswers answers;
    answers.programFilesFolder = "Program Files";
    answers.installationDirectory = "%program files%\\Halvo Client";
    answers.dataLocation = Environment("HALVO_PUBLIC_DATA");
    answers.createShortcut = false;
    answers.completelySilent = true;
    ASSERT_TRUE(CreateSetupScript(nullptr, answers, "Client Setup Script"));
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_NE(std::string::npos, prompts.Prompts()[0].text.find("saved successfully"));
}

// An installation through every page, as a client: the pages show in order with what they ask,
// and the choice of public folders follows the last one.
TEST(InstallerSteps, InteractiveInstallationShowsEveryPage)
{
    const std::string setup = Environment("HALVO_SETUP");
    const std::string destination = Environment("HALVO_DESTINATION");
    const std::string dataLocation = Environment("HALVO_PUBLIC_DATA");
    StartedProgram installer("\"" + setup + "\"");
    ASSERT_TRUE(installer.Started()) << setup;
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindTopLevel(installer.ProcessId(), "#32770")) != nullptr; }, 30000));
    InstallerPages pages(window);

    pages.Expect("Welcome to ORVEK Tessaro Halvo", "1-welcome");
    pages.Next();
    pages.Expect("will replace the installed version", "2-earlier-installation");
    pages.Next();
    pages.Expect("Client: use the discs", "3-kind");
    HWND client = ChildWithText(window, "Client: use the discs", "Button");
    ASSERT_NE(nullptr, client);
    ::SendMessageA(client, BM_CLICK, 0, 0);
    pages.Next();
    pages.Expect("Choose Install Location", "4-directory");
    HWND folder = PageControl(window, "Edit");
    ASSERT_NE(nullptr, folder);
    ::SendMessageA(folder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(destination.c_str()));
    pages.Next();
    pages.Expect("public folder data is found", "5-data-location");
    HWND data = PageControl(window, "Edit");
    ASSERT_NE(nullptr, data);
    ::SendMessageA(data, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dataLocation.c_str()));
    pages.Next();
    pages.Expect("shortcut to Network Storage", "6-options");
    pages.Next();
    pages.Expect(destination, "7-ready");
    EXPECT_NE(nullptr, ChildWithText(window, dataLocation));
    pages.Next();
    pages.Expect("Completing", "8-finish");
    pages.Next();
    DWORD exitCode = 1;
    ASSERT_TRUE(installer.WaitForEnd(30000, exitCode));
    EXPECT_EQ(0u, exitCode);

    // A client's installation ends in the settings program's choice of public folders.
    DWORD settings = 0;
    HWND shown = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (settings = ProcessIdOf("Dialwise.exe")) != 0; }, 30000));
    ASSERT_TRUE(WaitFor([&] { return (shown = FindTopLevel(settings, "#32770")) != nullptr; }, 30000));
    SaveScreenshotInBuild(shown, "installer-page-9-after-finish");
    const ScopedKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, settings));
    ::TerminateProcess(process.Get(), 0);
    ::WaitForSingleObject(process.Get(), 10000);
}

// The purge dialog with all three roots and "Delete": what the silent purge left (the user's
// key, the files and the shortcuts) goes too.
TEST(InstallerSteps, PurgeDialogWithEveryRootAndDeleteRemovesTheRest)
{
    const std::string clearbay = Environment("HALVO_CLEARBAY");
    StartedProgram purge("\"" + clearbay + "\" user");
    ASSERT_TRUE(purge.Started()) << clearbay;
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopLevelTitled(purge.ProcessId(), "HALVO Purge")) != nullptr; }, 30000));
    BoxAnswerer boxes(purge.ProcessId());
    boxes.Ignore(dialog);

    ClickItem(dialog, IDC_START_SEARCH);
    ASSERT_TRUE(WaitFor([&] { return IsItemEnabled(dialog, IDC_PURGE_SYSTEM); }, 30000));
    for (int root : {IDC_ROOT_CLASSES_ROOT, IDC_ROOT_CURRENT_USER, IDC_ROOT_LOCAL_MACHINE}) {
        if (IsItemEnabled(dialog, root))
            SetItemChecked(dialog, root, true);
    }
    SetItemChecked(dialog, IDC_FILES_KEEP, false);
    SetItemChecked(dialog, IDC_FILES_DELETE, true);
    SaveScreenshotInBuild(dialog, "installer-purge-found");
    ClickItem(dialog, IDC_PURGE_SYSTEM);
    ASSERT_TRUE(WaitFor([&] { return !IsItemEnabled(dialog, IDC_PURGE_SYSTEM); }, 60000));
    const std::vector<BoxAnswerer::Box> shown = boxes.Boxes();
    ASSERT_LE(2u, shown.size());
    EXPECT_EQ("Are you sure you want to remove the selected HALVO registry data?", shown[0].text);
    EXPECT_EQ("Removed selected HALVO registry data successfully.", shown[1].text);

    PostClickItem(dialog, IDCANCEL);
    DWORD exitCode = 1;
    EXPECT_TRUE(purge.WaitForEnd(20000, exitCode));
}
