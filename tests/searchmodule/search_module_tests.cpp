// The search module as its clients use it: this program and a second client process talk to
// Trawlex.exe through COM, in a Wine prefix of their own with the simulated network installed
// (run_search_module_tests.sh prepares it).

#include "settings/auxiliary.h"
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "module_session.h"
#include "base/named_semaphore.h"
#include "ns_result_codes.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "base/scoped_handle.h"
#include "resources/texts.h"

#include "support/branding_loaded.h"
#include "support/cache_tree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
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

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

void WriteNetwork(const std::vector<std::string>& lines)
{
    std::ofstream file(Environment("SEARCH_TEST_NETWORK"), std::ios::trunc);
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

class SearchModuleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        branding_ = new BrandingLoaded();
        RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
        machine.SetStringValue("Program Path", Environment("SEARCH_TEST_DATA"));
        machine.SetDWORDValue("Installed Version", 387);   // an administrator: the all-discs folder is the database
        AuxiliaryFunctions::InitNewCurrentUser();
        RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
        user.SetDWORDValue("Background Process", 0);
        user.SetDWORDValue("Show Icon", 0);
        user.SetDWORDValue("Logging", 1);   // the module's log is shown when a test fails
        RegKey discSearch = user.CreateKey("Disc Search");
        discSearch.SetDWORDValue("Microsoft Windows Network", 1);
        discSearch.SetDWORDValue("NetWare Network", 0);
        discSearch.CreateKey("SMB Domains").SetDWORDValue("Entire Network", 1);
        // SLP asks a loopback address where nobody answers, with short waits.
        RegKey slp = machine.CreateKey("SLP");
        slp.SetStringValue("Agent Addresses", "127.0.0.1:1");
        slp.SetDWORDValue("Multicast", 0);
        slp.SetStringValue("Timeouts", "100,100");
        slp.SetDWORDValue("Maximum Wait", 1000);
    }

    static void TearDownTestSuite()
    {
        delete branding_;
        branding_ = nullptr;
    }

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

    static BrandingLoaded* branding_;
    ComApartment apartment_;
    ComPtr<INotifyNSServer> module_;
};

BrandingLoaded* SearchModuleTest::branding_ = nullptr;

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

} // namespace
