#pragma once

#include "nsinterfaces.h"
#include "recording_notify_client.h"

#include "base/scoped_handle.h"

#include <windows.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

// An administrator's installation in programPath whose module searches only when asked, shows
// no taskbar icon, logs, and asks SLP nobody: what every whole-program test starts from.
void PrepareQuietModuleUser(const std::string& programPath);

// The variables the test script sets: SEARCH_TEST_DATA (the program path), SEARCH_TEST_NETWORK
// (the simulated network's description); empty when unset.
std::string TestEnvironment(const char* name);

class BrandingLoaded;

// Tests of the running module: the branding library loaded and the quiet user prepared once.
class ModuleTestSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

private:
    static std::unique_ptr<BrandingLoaded> branding_;
};

// The module's dialog or message box with this title, once it is shown; null after 20 s.
HWND WaitForModuleWindow(const std::string& title);
// A click as the user makes it: the button's click, then a posted message that wakes the modal
// loop the click ended.
void ClickModuleButton(HWND dialog, int button);

// What a shell view asks of the module's launch manager for an item's full path: to run a
// launch object, or to map and open a disc. Returns when the module is done with it.
enum class LaunchRequest { ExecuteLaunchObject, AutoMapMedia };
HRESULT AskLaunchManager(LaunchRequest request, const std::string& itemPath);

// Ends the module's process: a test that failed while the module waits for the user gets its
// call back (as a disconnection) instead of waiting for ever.
void TerminateModuleProcesses();
// Waits until no module process runs any more (a module ends once nothing holds it); false
// when one still runs after the time.
bool WaitForModuleEnd(DWORD timeoutMs);

// A start of the settings program of the build folder, as a shortcut or Explorer starts it. A
// copy that a failed test left open is asked to close when the object goes, never killed.
class SettingsProgram {
public:
    explicit SettingsProgram(const std::string& arguments);
    ~SettingsProgram();
    SettingsProgram(const SettingsProgram&) = delete;
    SettingsProgram& operator=(const SettingsProgram&) = delete;

    bool Started() const { return process_.IsValid(); }
    // The exit code once it ended in time, else -1.
    long WaitForExit(DWORD timeoutMs = 60000) const;
    bool HasEnded() const { return WaitForExit(0) != -1; }
    // This copy's visible top-level window of that title, once it shows; null after the time is up
    // or when the program ended.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 30000) const;
    HWND FindWindowTitled(const std::string& title) const;

private:
    ScopedKernelHandle process_;
    DWORD id_ = 0;
};

// The running search module as a client sees it: its interfaces, created in a local server.
Microsoft::WRL::ComPtr<INotifyNSServer> CreateSearchModule();

// A client registered with the module on one folder; its registration ends with the object.
class RegisteredClient {
public:
    RegisteredClient(INotifyNSServer* module, const std::string& folderPath);
    ~RegisteredClient();
    RegisteredClient(const RegisteredClient&) = delete;
    RegisteredClient& operator=(const RegisteredClient&) = delete;

    LONG Id() const { return id_; }
    const RecordingNotifyClient& Log() const { return *callback_.Get(); }
    // The names of the items the client was told about with this notification ("AddItem", ...).
    std::multiset<std::string> Names(const std::string& notification) const;
    bool SearchDone() const;

private:
    Microsoft::WRL::ComPtr<IRegisterNSClient> registration_;
    Microsoft::WRL::ComPtr<RecordingNotifyClient> callback_;
    LONG id_ = 0;
};

// Lets the apartment take calls (the module's callbacks) until done() or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A record of an item as the shell sends it; the strings live as long as the object.
class ItemRecord {
public:
    ItemRecord(const std::string& name, int itemType, const std::string& folderPath = "",
               const std::string& location = "");
    const CacheItemStruct& Get() const { return record_; }

private:
    std::wstring name_;
    std::wstring folderPath_;
    std::wstring location_;
    CacheItemStruct record_{};
};
