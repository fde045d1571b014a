// The search module as its clients use it: this program and a second client process talk to
// Trawlex.exe through COM, in a Wine prefix of their own with the simulated network installed
// (run_search_module_tests.sh prepares it).

#include "base/named_semaphore.h"
#include "base/scoped_handle.h"
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "module_session.h"
#include "ns_result_codes.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"

#include "support/cache_tree.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;

constexpr DWORD kSearchTimeoutMs = 30000;
constexpr char kAllDiscs[] = "All Discs";

const std::vector<std::string> kNetwork = {
    "WORKGROUP\\ALPHA|Storage server one",
    "WORKGROUP\\ALPHA\\CD1|Office suite",
    "WORKGROUP\\ALPHA\\DVD2|Training videos",
    "WORKGROUP\\ALPHA\\ADMIN$|Remote admin",
    "WORKGROUP\\BRAVO",
    "WORKGROUP\\BRAVO\\BACKUP|Jaz cartridge",
    "SALES\\CHARLIE",
    "SALES\\CHARLIE\\MANUALS",
};

void WriteNetwork(const std::vector<std::string>& lines)
{
    std::ofstream file(TestEnvironment("SEARCH_TEST_NETWORK"), std::ios::trunc);
    for (const std::string& line : lines)
        file << line << "\n";
}

std::set<std::string> FolderNames(const std::string& path)
{
    std::set<std::string> names;
    Cache folder(CacheReadFolder, path);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it)
        names.insert((*it)->Name);
    return names;
}

// The module is gone once its single-instance mutex is.
bool WaitForModuleEnd(DWORD timeoutMs)
{
    const std::string mutexName = CommonText(IDS_MUTEX_SEARCH_MODULE);
    return PumpUntil(
        [&] {
            ScopedKernelHandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str()));
            return !mutex;
        },
        timeoutMs);
}

// The module's hidden window, which takes the settings program's announcements.
HWND ModuleWindow() { return ::FindWindowW(L"TrawlexSearchModuleWindow", nullptr); }

// What the settings program does after saving a setting: every top-level window hears the
// announcement. Sent rather than posted, so that it has been handled when this returns.
void Announce(UINT nameId)
{
    const UINT message = ::RegisterWindowMessageA(CommonText(nameId).c_str());
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

// Whether the shell shows the module's taskbar icon: only an icon that is there can be changed.
bool ModuleHasTaskbarIcon()
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = ModuleWindow();
    data.uID = 1;
    data.uFlags = NIF_TIP;
    return data.hWnd != nullptr && ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::string ModuleLog()
{
    std::ifstream file(TestEnvironment("SEARCH_TEST_DATA") + "\\trawlex.log");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindOpenMenu(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<MenuSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (owner == search.processId && ::IsWindowVisible(window) && ::lstrcmpA(name, "#32768") == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible pop-up menu of a process, once it is open.
HWND OpenMenuOf(DWORD processId, DWORD timeoutMs)
{
    MenuSearch search{processId, nullptr};
    PumpUntil(
        [&] {
            ::EnumWindows(FindOpenMenu, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool IsDisconnection(HRESULT result)
{
    return result == RPC_E_DISCONNECTED || result == CO_E_OBJNOTCONNECTED ||
           result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);
}

// Automatic searches switched on for one test; everything switched off again at its end, so
// that the next module starts without them.
class AutomaticRuns {
public:
    AutomaticRuns() { User().SetDWORDValue("Background Process", 1); }
    ~AutomaticRuns()
    {
        RegKey user = User();
        user.SetDWORDValue("Background Process", 0);
        for (const char* name : {"Auto-Refresh", "Auto-Rescan", "Auto-Update Public", "MustRefresh", "MustRescan",
                                 "MustUpdatePublic"})
            user.SetDWORDValue(name, 0);
    }
    AutomaticRuns(const AutomaticRuns&) = delete;
    AutomaticRuns& operator=(const AutomaticRuns&) = delete;

    // Switches a run on, every ten hours, and owed now.
    void Owe(const char* onOff, const char* periodMinutes, const char* mustRun)
    {
        RegKey user = User();
        user.SetDWORDValue(onOff, 1);
        user.SetDWORDValue(periodMinutes, 600);
        user.SetDWORDValue(mustRun, 1);
    }
    void SetBackground(bool on) { User().SetDWORDValue("Background Process", on ? 1 : 0); }

private:
    static RegKey User() { return RegKey::CURRENT_USER.GetKey(kProductKey); }
};

class SearchModuleTest : public ModuleTestSuite {
protected:
    void SetUp() override
    {
        WriteNetwork(kNetwork);
        RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
        if (user.KeyExists("Cache"))
            user.DeleteKey("Cache");
        MakeFolder("", "Network Storage", RootFolder);
        MakeFolder("Work", "Work", UserFolder);
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        MakeFolder("Maps", "Maps", MappedFolder);
        MakeFolder(kAllDiscs, kAllDiscs, SystemFolder);
        ClearDatabase();
        module_ = CreateSearchModule();
        ASSERT_TRUE(module_) << "the search module could not be created";
    }

    static void ClearDatabase()
    {
        Cache update(CacheServerUpdate, "");
        std::vector<std::string> servers;
        update.GetServerList(servers);
        std::vector<CacheItem> removed;
        for (const std::string& server : servers)
            update.RemoveServer(server, removed);
    }

    // A full search by a client of the all-discs folder, to its end.
    void FullSearch(RegisteredClient& allDiscs)
    {
        ASSERT_EQ(S_OK, module_->Rescan(allDiscs.Id()));
        ASSERT_TRUE(PumpUntil([&] { return allDiscs.SearchDone(); }, kSearchTimeoutMs));
    }

    ComApartment apartment_;
    ComPtr<INotifyNSServer> module_;
};

TEST_F(SearchModuleTest, RegistrationWithoutCallbackServesSearchesAndRemoveOfZeroSucceeds)
{
    ComPtr<IRegisterNSClient> registration;
    ASSERT_EQ(S_OK, module_.As(&registration));
    LONG id = 0;
    ASSERT_EQ(S_OK, registration->Add(nullptr, L"", &id));
    EXPECT_GT(id, 0);
    LONG second = 0;
    ASSERT_EQ(S_OK, registration->Add(nullptr, L"", &second));
    EXPECT_NE(id, second);

    ComPtr<INotifyNSServer> server;
    ASSERT_EQ(S_OK, registration.As(&server));
    ComPtr<INotifyNSLaunchManager> launcher;
    EXPECT_EQ(S_OK, server.As(&launcher));
    EXPECT_EQ(S_OK, server->Refresh(id));
    const HRESULT rescan = server->Rescan(id);
    EXPECT_TRUE(rescan == S_OK || rescan == NSS_S_USER_QUICK_BUSY) << std::hex << rescan;
    EXPECT_EQ(S_OK, registration->Remove(id));
    EXPECT_EQ(S_OK, registration->Remove(0));
}

TEST_F(SearchModuleTest, ItemOperationsChangeTheCacheAndTellTheClientsOfTheFolder)
{
    RegisteredClient work(module_.Get(), "Work");
    RegisteredClient maps(module_.Get(), "Maps");

    EXPECT_EQ(S_OK, module_->CreateItem(0, L"Work", ItemRecord("Drafts", UserFolder).Get()));
    EXPECT_EQ((std::set<std::string>{"Drafts", "Projects"}), FolderNames("Work"));
    EXPECT_EQ(1u, work.Names("AddItem").count("Drafts"));

    // A taken name changes nothing and tells nobody.
    EXPECT_EQ(NSS_S_NAME_EXISTS, module_->CreateItem(0, L"Work", ItemRecord("drafts", UserFolder).Get()));
    EXPECT_EQ(1u, work.Names("AddItem").size());

    // Rename: the record's new name with its old one as the original name.
    ItemRecord renamed("Final", UserFolder, "Work");
    CacheItemStruct rename = renamed.Get();
    std::wstring oldName = L"Drafts";
    rename.OriginalName = oldName.data();
    EXPECT_EQ(S_OK, module_->UpdateItem(work.Id(), L"Work", rename));
    EXPECT_EQ((std::set<std::string>{"Final", "Projects"}), FolderNames("Work"));
    EXPECT_EQ(1u, work.Names("RemoveItem").count("Drafts"));
    EXPECT_EQ(1u, work.Names("AddItem").count("Final"));

    // Copy into the root, then move a disc shortcut between folders.
    EXPECT_EQ(S_OK, module_->MoveItem(0, L"", ItemRecord("Final", UserFolder, "Work").Get(), L"Final copy", 1));
    EXPECT_EQ(1u, FolderNames("").count("Final copy"));
    EXPECT_EQ(1u, FolderNames("Work").count("Final"));
    EXPECT_EQ(S_OK, module_->CreateItem(0, L"Work", ItemRecord("CD1", CdRomDisc, "Work", "\\\\ALPHA").Get()));
    EXPECT_EQ(S_OK, module_->MoveItem(0, L"Maps", ItemRecord("CD1", CdRomDisc, "Work", "\\\\ALPHA").Get(), L"", 2));
    EXPECT_EQ(0u, FolderNames("Work").count("CD1"));
    EXPECT_EQ(1u, FolderNames("Maps").count("CD1"));
    EXPECT_EQ(1u, work.Names("RemoveItem").count("CD1"));
    EXPECT_EQ(1u, maps.Names("AddItem").count("CD1"));

    EXPECT_EQ(S_OK, module_->DeleteItem(0, L"Work", ItemRecord("Final", UserFolder, "Work").Get()));
    EXPECT_EQ(0u, FolderNames("Work").count("Final"));
    EXPECT_EQ(1u, work.Names("RemoveItem").count("Final"));
    EXPECT_EQ(NSS_S_NOT_FOUND, module_->DeleteItem(0, L"Work", ItemRecord("Final", UserFolder, "Work").Get()));
}

TEST_F(SearchModuleTest, TargetsThatCannotTakeTheItemAreRefusedWithoutChange)
{
    EXPECT_EQ(NSS_S_ACCESS_DENIED, module_->CreateItem(0, L"All Discs", ItemRecord("New", UserFolder).Get()));
    EXPECT_EQ(NSS_S_ADD_DENIED, module_->CreateItem(0, L"Maps", ItemRecord("New", UserFolder).Get()));
    EXPECT_EQ(NSS_S_TARGET_IS_SUBFOLDER,
              module_->MoveItem(0, L"Work\\Projects", ItemRecord("Work", UserFolder, "").Get(), L"", 2));
    EXPECT_EQ(NSS_S_NOT_DELETABLE, module_->DeleteItem(0, L"", ItemRecord(kAllDiscs, SystemFolder).Get()));
    EXPECT_EQ((std::set<std::string>{"Projects"}), FolderNames("Work"));
    EXPECT_EQ((std::set<std::string>{}), FolderNames("Maps"));
    EXPECT_EQ((std::set<std::string>{kAllDiscs, "Maps", "Work"}), FolderNames(""));
}

TEST_F(SearchModuleTest, SearchRequestsWhileAUserQuickSearchRunsGetItsBusyCode)
{
    RegisteredClient viewer(module_.Get(), kAllDiscs);
    {
        // The search waits for the database while this process holds it.
        SemaphoreLock database(Cache::myCacheDBSemaphore, 0);
        ASSERT_TRUE(database.IsHeld());
        ASSERT_EQ(S_OK, module_->Refresh(viewer.Id()));
        const HRESULT again = module_->Refresh(viewer.Id());
        EXPECT_TRUE(SUCCEEDED(again));
        EXPECT_EQ(NSS_S_USER_QUICK_BUSY, again);
        EXPECT_EQ(NSS_S_USER_QUICK_BUSY, module_->Rescan(viewer.Id()));
    }
    EXPECT_TRUE(PumpUntil([&] { return viewer.SearchDone(); }, kSearchTimeoutMs));
}

TEST_F(SearchModuleTest, FullSearchesFillTheDatabaseAndTellAddedAndVanishedDiscs)
{
    RegisteredClient viewer(module_.Get(), kAllDiscs);
    RegisteredClient elsewhere(module_.Get(), "Work");
    FullSearch(viewer);
    const std::multiset<std::string> found{"CD1", "DVD2", "BACKUP", "MANUALS"};
    EXPECT_EQ(found, viewer.Names("AddItem"));
    EXPECT_TRUE(PumpUntil([&] { return elsewhere.SearchDone(); }, kSearchTimeoutMs));
    EXPECT_TRUE(elsewhere.Names("AddItem").empty());
    EXPECT_EQ((std::set<std::string>(found.begin(), found.end())), FolderNames(kAllDiscs));

    // One share and one whole server leave the network.
    WriteNetwork({"WORKGROUP\\ALPHA", "WORKGROUP\\ALPHA\\CD1", "WORKGROUP\\BRAVO", "WORKGROUP\\BRAVO\\BACKUP|Jaz cartridge"});
    RegisteredClient second(module_.Get(), kAllDiscs);
    FullSearch(second);
    EXPECT_EQ((std::multiset<std::string>{"DVD2", "MANUALS"}), second.Names("RemoveItem"));
    EXPECT_TRUE(second.Names("AddItem").empty());
    EXPECT_EQ((std::set<std::string>{"CD1", "BACKUP"}), FolderNames(kAllDiscs));
}

TEST_F(SearchModuleTest, ClientsInTwoProcessesAreBothTold)
{
    RegisteredClient here(module_.Get(), "Work");
    ScopedKernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, "SearchModuleTestListenerReady"));
    std::string command = "notify_listener.exe Work SearchModuleTestListenerReady Shared";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &started));
    ScopedKernelHandle process(started.hProcess);
    ScopedKernelHandle thread(started.hThread);
    HANDLE waits[] = {ready.Get(), process.Get()};
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, waits, FALSE, 20000)) << "the listener did not register";

    EXPECT_EQ(S_OK, module_->CreateItem(0, L"Work", ItemRecord("Shared", UserFolder).Get()));
    EXPECT_EQ(1u, here.Names("AddItem").count("Shared"));
    DWORD exitCode = 1;
    EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 30000));
    ::GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(0u, exitCode) << "the second process was not told of the new item";
}

TEST_F(SearchModuleTest, ModuleEndsByItselfAfterTheLastClientReleasedIt)
{
    {
        RegisteredClient viewer(module_.Get(), kAllDiscs);
        FullSearch(viewer);
    }
    module_.Reset();
    EXPECT_TRUE(WaitForModuleEnd(15000));
}

TEST_F(SearchModuleTest, TaskbarExitWithAClientStillHoldingTheModuleCutsTheClientOffAndEndsCleanly)
{
    RegisteredClient viewer(module_.Get(), kAllDiscs);
    HWND window = ModuleWindow();
    ASSERT_TRUE(window);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    ScopedKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    ASSERT_TRUE(process);

    // A right click on the taskbar icon, then Exit (the last item) from its menu.
    ASSERT_TRUE(::PostMessageA(window, WM_APP + 2, 1, WM_RBUTTONUP));
    HWND menu = OpenMenuOf(processId, 10000);
    ASSERT_TRUE(menu) << "the taskbar icon's menu did not open";
    for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
        ::PostMessageA(menu, WM_KEYDOWN, key, 1);
        ::PostMessageA(menu, WM_KEYUP, key, 0xC0000001);
    }
    ASSERT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 15000))
        << "the module did not end on Exit";
    DWORD exitCode = STILL_ACTIVE;
    ::GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(0u, exitCode) << "the module did not end cleanly";

    const HRESULT after = module_->Refresh(viewer.Id());
    EXPECT_TRUE(IsDisconnection(after)) << std::hex << after;
    module_.Reset();
    // The class went with the module: the next client starts a new one.
    EXPECT_TRUE(CreateSearchModule());
}

TEST_F(SearchModuleTest, TheModuleReadsTheLoggingSwitchAgainWhenItIsAnnounced)
{
    RegKey user = RegKey::CURRENT_USER.GetKey(kProductKey);
    user.SetDWORDValue("Logging", 0);
    Announce(IDS_MSG_START_STOP_LOG);
    const size_t quiet = ModuleLog().size();
    EXPECT_EQ(S_OK, module_->CreateItem(0, L"Work", ItemRecord("Unlogged", UserFolder).Get()));
    EXPECT_EQ(quiet, ModuleLog().size()) << "the module logged with logging switched off";

    user.SetDWORDValue("Logging", 1);
    Announce(IDS_MSG_START_STOP_LOG);
    EXPECT_EQ(S_OK, module_->CreateItem(0, L"Work", ItemRecord("Logged", UserFolder).Get()));
    const std::string log = ModuleLog();
    EXPECT_NE(std::string::npos, log.find("SearchModule::CreateItem() - result", quiet)) << log.substr(quiet);
}

TEST_F(SearchModuleTest, TheTaskbarIconComesAndGoesWhenItIsAnnounced)
{
    ASSERT_TRUE(ModuleWindow());
    EXPECT_FALSE(ModuleHasTaskbarIcon()) << "the user's \"Show Icon\" is 0";
    Announce(IDS_MSG_SHOW_TRAY_ICON);
    EXPECT_TRUE(ModuleHasTaskbarIcon());
    Announce(IDS_MSG_HIDE_TRAY_ICON);
    EXPECT_FALSE(ModuleHasTaskbarIcon());
}

TEST_F(SearchModuleTest, AnnouncedScheduleChangesRunWhatTheNewSettingsMakeDue)
{
    AutomaticRuns runs;

    RegisteredClient fullSearch(module_.Get(), kAllDiscs);
    runs.Owe("Auto-Rescan", "Auto-Rescan Timer Value", "MustRescan");
    Announce(IDS_MSG_RESCAN_TIMER_CHANGE);
    ASSERT_TRUE(PumpUntil([&] { return fullSearch.SearchDone(); }, kSearchTimeoutMs)) << "no full search ran";
    EXPECT_EQ((std::multiset<std::string>{"CD1", "DVD2", "BACKUP", "MANUALS"}), fullSearch.Names("AddItem"));

    RegisteredClient quickSearch(module_.Get(), kAllDiscs);
    runs.Owe("Auto-Refresh", "Auto-Refresh Timer Value", "MustRefresh");
    Announce(IDS_MSG_REFRESH_TIMER_CHANGE);
    EXPECT_TRUE(PumpUntil([&] { return quickSearch.SearchDone(); }, kSearchTimeoutMs)) << "no quick search ran";

    const size_t before = ModuleLog().size();
    runs.Owe("Auto-Update Public", "Auto-Update Public Timer Value", "MustUpdatePublic");
    Announce(IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE);
    EXPECT_TRUE(PumpUntil(
        [&] { return ModuleLog().find("Automatic public folder update", before) != std::string::npos; }, 10000))
        << ModuleLog().substr(before);
}

TEST_F(SearchModuleTest, AnnouncedBackgroundSearchingKeepsTheModuleWithoutClientsUntilItIsSwitchedOff)
{
    AutomaticRuns runs;
    Announce(IDS_MSG_BACKGROUND_SEARCH_CHANGE);
    module_.Reset();
    EXPECT_FALSE(WaitForModuleEnd(3000)) << "the module ended while it should search in the background";

    runs.SetBackground(false);
    Announce(IDS_MSG_BACKGROUND_SEARCH_CHANGE);
    EXPECT_TRUE(WaitForModuleEnd(15000));
}

} // namespace
