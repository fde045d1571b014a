#pragma once

#include "recording_search_module.h"

#include "registry/registry.h"
#include "support/branding_loaded.h"
#include "support/modal_dialog_run.h"
#include "support/registry_sandbox.h"
#include "support/scripted_prompts.h"
#include "support/temp_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

inline constexpr DWORD kServerInstallation = 387;
inline constexpr DWORD kClientInstallation = 0;
// The client's sheet: General, then Public Folders.
inline constexpr int kClientPublicFoldersPage = 1;

// The rows of a check list (a list view with check boxes), "+" after the ticked ones.
std::vector<std::string> CheckListRows(HWND list);

// A window of the settings program saved as a bitmap in the build's screenshots folder.
void SaveDialogScreenshot(HWND window, const std::string& name);

// Receives the settings program's broadcasts in a hidden top-level window of the test's thread,
// as the search module's window does.
class BroadcastListener {
public:
    BroadcastListener();
    ~BroadcastListener();
    BroadcastListener(const BroadcastListener&) = delete;
    BroadcastListener& operator=(const BroadcastListener&) = delete;

    // Pumps the test thread's messages until the broadcast named by the Basalt string came, or
    // the time is up; true when it came.
    bool WaitFor(UINT messageNameId, DWORD timeoutMs = 5000);
    // The broadcasts received so far, by message name, after pumping what is queued.
    std::map<std::string, int> Received();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::map<UINT, std::string> names_;
    std::map<std::string, int> received_;
};

// A user of one kind of installation in a sandboxed registry: the recording search module is
// the program's, and every message box is answered by script and recorded. Opens the settings
// sheet on a thread of its own and drives it as a user does.
class SettingsSheetTest : public ::testing::Test {
protected:
    void SetUp() override;

    void SetKind(DWORD kind) { Machine().SetDWORDValue("Installed Version", kind); }
    static RegKey User() { return RegKey::CURRENT_USER.CreateKey(kProductKey); }
    static RegKey Machine() { return RegKey::LOCAL_MACHINE.CreateKey(kProductKey); }
    static unsigned long UserDword(const std::string& name);
    static std::string UserText(const std::string& name);
    // The domains the user's network settings name (the string values of "SMB Domains"), sorted.
    static std::vector<std::string> StoredDomains();

    std::unique_ptr<ModalDialogRun> OpenSheet(unsigned int startPage = 0);
    // Presses OK; true when the sheet ended.
    static bool PressOk(ModalDialogRun& run);

    static HWND CurrentPage(HWND sheet);
    static int CurrentPageIndex(HWND sheet);
    static std::vector<std::string> PageTitles(HWND sheet);
    static HWND ShowPage(HWND sheet, int index);

    // The period of a schedule (controls from base on), as a user types and picks it.
    static void SetPeriod(HWND page, int base, const std::string& count, int unit);
    static void SetScheduleOn(HWND page, int base, bool on);

    // The sheet's window saved as a bitmap in the build's screenshots folder.
    static void SaveSheetScreenshot(HWND window, const std::string& name);

    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
    RecordingModuleInstalled module;
    ScriptedPrompts prompts{IDOK};
};
