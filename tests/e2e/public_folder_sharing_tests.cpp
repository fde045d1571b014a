// Public folders between two machines, each a Wine prefix of its own that sees one shared data
// folder: the script runs these steps in turn, each in the prefix its name says, with the
// search module running in the client's. Nothing here is sandboxed: each prefix is the step's.
#include "com/com_apartment.h"
#include "public/public_folders.h"
#include "public/server_data_coordinator.h"
#include "registry/registry.h"
#include "settings/auxiliary.h"

#include "module_session.h"
#include "support/branding_loaded.h"
#include "support/registry_snapshot.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

namespace {

const std::string kCacheKey = std::string(kProductKey) + "\\Cache";

std::string DataFile(const std::string& name) { return TestEnvironment("PUBLIC_DATA") + "\\" + name; }

std::vector<PublicFolderItem> Offered()
{
    std::vector<PublicFolderItem> folders;
    EXPECT_LE(0, PublicFolderMgr().GetPublicFolders(folders));
    return folders;
}

bool CacheHas(const std::string& path) { return RegKey::CURRENT_USER.KeyExists(kCacheKey + "\\" + path); }

std::string SnapshotOf(const std::string& path)
{
    return RegistrySnapshot(RegKey::CURRENT_USER.GetKey(kCacheKey + "\\" + path));
}

class PublicFolderSharing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(branding.IsLoaded());
        ASSERT_FALSE(TestEnvironment("PUBLIC_DATA").empty());
        AuxiliaryFunctions::InitNewCurrentUser();
    }

    BrandingLoaded branding;
    ComApartment apartment;
};

TEST_F(PublicFolderSharing, AdministratorPublishesAFolder)
{
    ASSERT_EQ(ItemCreatorServer, AuxiliaryFunctions::GetUser());
    RegKey team = RegKey::CURRENT_USER.CreateKey(kCacheKey + "\\Team");
    team.SetStringValue("Name", "Team");
    team.SetStringValue("OriginalName", "Team");
    team.SetDWORDValue("ItemType", UserFolder);
    team.SetStringValue("Comment", "Discs of \\\\ATLAS");
    team.SetDWORDValue("HasSubFolders", 0);
    team.SetDWORDValue("ItemCreator", ItemCreatorServer);
    team.SetDWORDValue("PublicFolder", 1);
    RegKey disc = team.CreateKey("d1");
    disc.SetStringValue("Name", "Manuals");
    disc.SetStringValue("OriginalName", "Manuals");
    disc.SetDWORDValue("ItemType", CdRomDisc);
    disc.SetStringValue("Location", "\\\\ATLAS\\MANUALS");
    RegKey tool = team.CreateKey("Tool");
    tool.SetStringValue("Name", "Tool");
    tool.SetStringValue("OriginalName", "Tool");
    tool.SetDWORDValue("ItemType", LaunchObject);
    tool.SetStringValue("TargetFile", "\\\\ATLAS\\TOOLS\\run.exe");

    ServerDataCoordinator().StartUpdate();
    EXPECT_TRUE(FileExists(DataFile("Team.pfr")));
    const std::vector<PublicFolderItem> offered = Offered();
    ASSERT_EQ(1u, offered.size());
    EXPECT_EQ("Team", offered[0].Name);
}

TEST_F(PublicFolderSharing, ClientImportsItWithTheSearchModuleRunning)
{
    ASSERT_EQ(ItemCreatorClient, AuxiliaryFunctions::GetUser());
    const auto module = CreateSearchModule();
    ASSERT_TRUE(module);
    const RegisteredClient rootView(module.Get(), "");

    const std::vector<PublicFolderItem> offered = Offered();
    ASSERT_EQ(1u, offered.size());
    ASSERT_TRUE(PublicFolderMgr().ImportFolders(offered));
    EXPECT_TRUE(PumpUntil([&] { return rootView.Names("AddItem").count("Team") == 1; }, 10000));
    EXPECT_EQ(PublicUserFolder, static_cast<int>(RegKey::CURRENT_USER.GetKeyRead(kCacheKey + "\\Team")
                                                     .QueryDWORDValue("ItemType")));
    EXPECT_TRUE(CacheHas("Team\\d1"));
    EXPECT_TRUE(CacheHas("Team\\Tool"));

    // Chosen again: read again, and no second row anywhere.
    ASSERT_TRUE(PublicFolderMgr().ImportFolders(offered));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(1u, rootView.Names("AddItem").count("Team"));
}

TEST_F(PublicFolderSharing, RegeditImportsTheExportAsTheImportDoes)
{
    const std::string imported = SnapshotOf("Team");
    RegKey::CURRENT_USER.GetKey(kCacheKey).DeleteKey("Team");
    const TempDirectory scratch;
    ASSERT_TRUE(WriteWholeFile(scratch.File("team.reg"), "REGEDIT4\r\n\r\n" + ReadWholeFile(DataFile("Team.pfr"))));
    std::string command = "regedit.exe /s \"" + scratch.File("team.reg") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 30000));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ(imported, SnapshotOf("Team"));

    // And the import takes the registry editor's copy for its own.
    ASSERT_TRUE(PublicFolderMgr().ImportFolder(Offered().front()));
    EXPECT_EQ(imported, SnapshotOf("Team"));
}

TEST_F(PublicFolderSharing, AdministratorWithdrawsIt)
{
    RegKey::CURRENT_USER.GetKey(kCacheKey + "\\Team").SetDWORDValue("PublicFolder", 0);
    ServerDataCoordinator().StartUpdate();
    EXPECT_FALSE(FileExists(DataFile("Team.pfr")));
    EXPECT_TRUE(Offered().empty());
}

TEST_F(PublicFolderSharing, ClientsNextRefreshRemovesIt)
{
    const auto module = CreateSearchModule();
    ASSERT_TRUE(module);
    const RegisteredClient rootView(module.Get(), "");
    ASSERT_TRUE(CacheHas("Team"));

    // The refresh the user scheduled, owed now; the settings program announces it so.
    RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
    user.SetDWORDValue("Auto-Update Public", 1);
    user.SetDWORDValue("Auto-Update Public Timer Value", 60);
    user.SetDWORDValue("MustUpdatePublic", 1);
    user.SetDWORDValue("Background Process", 1);
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("_NETWORK_STORAGE_UPDATE_PUBLIC_TIMER_CHANGE_"), 0, 0);

    EXPECT_TRUE(PumpUntil([&] { return rootView.Names("RemoveItem").count("Team") == 1; }, 20000));
    EXPECT_FALSE(CacheHas("Team"));
    EXPECT_TRUE(PumpUntil([&] { return user.QueryDWORDValue("MustUpdatePublic") == 0; }, 10000));

    // Background work off again: the module may end with its last client.
    user.SetDWORDValue("Background Process", 0);
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("_NETWORK_STORAGE_BACKGROUND_SEARCH_CHANGE_"), 0, 0);
}

} // namespace
