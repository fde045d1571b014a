#include "base/module_path.h"
#include "registry/registry.h"
#include "settings/auxiliary.h"

#include "support/branding_loaded.h"
#include "support/prompt_recorder.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> SubKeys(const RegKeyRead& key)
{
    std::set<std::string> names;
    RegKeyEnumerator keys = key.GetKeyEnumerator();
    while (keys.Next())
        names.insert(keys.GetName());
    return names;
}

// A machine as the installer leaves it: the product registration, the machine key with its
// defaults for new users and the cache template.
class UserSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(branding.IsLoaded());
        RegKey::CLASSES_ROOT.CreateKey(kProductInfoKey).SetStringValue("Version", "2.10");
        RegKey machine = Machine();
        // No workgroup helper there: the recorded workgroup is what the set-up finds.
        machine.SetStringValue("Program Path", folder.Path());
        machine.SetStringValue("Workgroup", "OFFICE");
        RegKey defaults = machine.CreateKey("User");
        defaults.SetDWORDValue("Auto-Refresh", 1);
        defaults.SetDWORDValue("Show Icon", 1);
        defaults.SetStringValue("Auto-Refresh Next Event", "2026 1 1 0 0");
        RegKey cacheTemplate = defaults.CreateKey("Cache");
        cacheTemplate.SetStringValue("Name", "Network Storage");
        cacheTemplate.SetDWORDValue("ItemType", RootFolder);
        RegKey allDiscs = cacheTemplate.CreateKey("All Discs");
        allDiscs.SetStringValue("Name", "All Discs");
        allDiscs.SetDWORDValue("ItemType", SystemFolder);
        cacheTemplate.CreateKey("Samples").SetDWORDValue("ItemType", UserFolder);
        RegKey::LOCAL_MACHINE.CreateKey("System\\CurrentControlSet\\Control\\NetworkProvider\\Order")
            .SetStringValue("ProviderOrder", "LanmanWorkstation");
    }

    RegKey Machine() { return RegKey::LOCAL_MACHINE.CreateKey(kProductKey); }
    RegKey User() { return RegKey::CURRENT_USER.CreateKey(kProductKey); }
    void SetKind(DWORD kind) { Machine().SetDWORDValue("Installed Version", kind); }

    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
};

TEST_F(UserSetupTest, ANewClientGetsSettingsAndACacheWithoutTheFolderOfAllDiscs)
{
    AuxiliaryFunctions::InitNewCurrentUser();

    RegKeyRead user = User();
    EXPECT_EQ("2.10", user.QueryStringValue("Version"));
    EXPECT_EQ(0u, user.QueryDWORDValue("Installed Version"));
    EXPECT_EQ(1u, user.QueryDWORDValue("Auto-Refresh"));
    EXPECT_EQ("2026 1 1 0 0", user.QueryStringValue("Auto-Refresh Next Event"));
    EXPECT_EQ(std::set<std::string>({"Samples"}), SubKeys(user.GetKeyRead("Cache")));
    EXPECT_EQ("Network Storage", user.GetKeyRead("Cache").QueryStringValue("Name"));
    // Clients do not search the network themselves.
    EXPECT_FALSE(user.KeyExists("Disc Search"));
}

TEST_F(UserSetupTest, ANewAdministratorGetsTheFolderOfAllDiscsAndTheNetworkSettings)
{
    SetKind(387);
    AuxiliaryFunctions::InitNewCurrentUser();

    RegKeyRead user = User();
    EXPECT_EQ(static_cast<DWORD>(ItemCreatorServer), user.QueryDWORDValue("Installed Version"));
    EXPECT_EQ(std::set<std::string>({"All Discs", "Samples"}), SubKeys(user.GetKeyRead("Cache")));
    RegKeyRead discSearch = user.GetKeyRead("Disc Search");
    EXPECT_EQ(1u, discSearch.QueryDWORDValue("Microsoft Windows Network"));
    EXPECT_EQ(0u, discSearch.QueryDWORDValue("NetWare Network"));
    RegKeyRead domains = user.GetKeyRead("Disc Search\\SMB Domains");
    EXPECT_TRUE(domains.ValueExists("OFFICE"));
    EXPECT_EQ(0u, domains.QueryDWORDValue("Entire Network"));
}

TEST_F(UserSetupTest, AnExistingAdministratorCacheGetsAFreshFolderOfAllDiscsAndLosesTheOldOne)
{
    SetKind(387);
    RegKey cache = User().CreateKey("Cache");
    cache.CreateKey("Mine").SetDWORDValue("ItemType", UserFolder);
    cache.CreateKey("All Media").SetDWORDValue("ItemType", SystemFolder);
    RegKey staleAllDiscs = cache.CreateKey("All Discs");
    staleAllDiscs.SetDWORDValue("ItemType", SystemFolder);
    staleAllDiscs.SetStringValue("Name", "stale");
    User().SetStringValue("Version", "2.10");

    AuxiliaryFunctions::InitNewCurrentUser();

    EXPECT_EQ(std::set<std::string>({"All Discs", "Mine"}), SubKeys(User().GetKeyRead("Cache")));
    EXPECT_EQ("All Discs", User().GetKeyRead("Cache\\All Discs").QueryStringValue("Name"));
    EXPECT_EQ("Network Storage", User().GetKeyRead("Cache").QueryStringValue("Name"));
}

TEST_F(UserSetupTest, AnOldProfileHasItsMediaTypeDataMovedAndItsSettingsRenewed)
{
    SetKind(387);
    RegKey user = User();
    user.SetStringValue("Version", "1.50");
    user.SetDWORDValue("Show Icon", 0);
    user.CreateKey("Media Type\\CD-ROM\\SMB Search Strings").SetStringValue("CDROM", "");
    user.CreateKey("Media Type\\Jaz Disk\\SMB Search Strings").SetStringValue("JAZ", "");

    AuxiliaryFunctions::InitNewCurrentUser();

    EXPECT_EQ("2.10", User().QueryStringValue("Version"));
    EXPECT_FALSE(User().KeyExists("Media Type"));
    EXPECT_TRUE(User().GetKeyRead("Disc Search\\CD-ROM\\SMB Search Strings").ValueExists("CDROM"));
    EXPECT_TRUE(User().GetKeyRead("Disc Search\\Jaz Disk\\SMB Search Strings").ValueExists("JAZ"));
    EXPECT_EQ(1u, User().QueryDWORDValue("Show Icon"));
}

TEST_F(UserSetupTest, ACurrentProfileKeepsTheSettingsItHas)
{
    User().SetStringValue("Version", "2.10");
    User().SetDWORDValue("Show Icon", 0);
    AuxiliaryFunctions::InitNewCurrentUser();
    EXPECT_EQ(0u, User().QueryDWORDValue("Show Icon"));
    EXPECT_EQ(1u, User().QueryDWORDValue("Auto-Refresh"));
}

TEST_F(UserSetupTest, AUserOfALaterVersionKeepsItAndTheSettingsItHas)
{
    User().SetStringValue("Version", "10.00");   // later as a number, earlier as a text
    User().SetDWORDValue("Show Icon", 0);
    for (int start = 1; start <= 2; ++start) {
        AuxiliaryFunctions::InitNewCurrentUser();
        EXPECT_EQ("10.00", User().QueryStringValue("Version")) << "start " << start;
        EXPECT_EQ(0u, User().QueryDWORDValue("Show Icon")) << "start " << start;
    }
    EXPECT_EQ(1u, User().QueryDWORDValue("Auto-Refresh")) << "defaults the user lacks are still added";
}

// Whatever the registration holds, one start sets the user up and later starts keep what the
// user changed since.
TEST_F(UserSetupTest, WithoutAReadableRegisteredVersionTheUserGetsTheSuitesVersionOnce)
{
    struct Registration {
        const char* name;
        void (*prepare)();
    };
    const Registration registrations[] = {
        {"missing", [] { RegKey::CLASSES_ROOT.DeleteKey(kProductInfoKey); }},
        {"no version", [] { RegKey::CLASSES_ROOT.CreateKey(kProductInfoKey).SetStringValue("Version", "none"); }},
        {"a number", [] { RegKey::CLASSES_ROOT.CreateKey(kProductInfoKey).SetDWORDValue("Version", 210); }},
    };
    for (const Registration& registration : registrations) {
        if (RegKey::CURRENT_USER.KeyExists(kProductKey))
            RegKey::CURRENT_USER.DeleteKey(kProductKey);
        registration.prepare();

        AuxiliaryFunctions::InitNewCurrentUser();
        EXPECT_EQ("2.00", User().QueryStringValue("Version")) << registration.name;
        EXPECT_EQ(1u, User().QueryDWORDValue("Show Icon")) << registration.name;

        User().SetDWORDValue("Show Icon", 0);
        AuxiliaryFunctions::InitNewCurrentUser();
        EXPECT_EQ("2.00", User().QueryStringValue("Version")) << registration.name;
        EXPECT_EQ(0u, User().QueryDWORDValue("Show Icon")) << registration.name;
    }
}

TEST_F(UserSetupTest, AnUnreadableUserVersionIsReplacedSoThatOnlyOneStartRenewsTheSettings)
{
    User().SetDWORDValue("Version", 2);
    User().SetDWORDValue("Show Icon", 0);
    AuxiliaryFunctions::InitNewCurrentUser();
    EXPECT_EQ("2.10", User().QueryStringValue("Version"));
    EXPECT_EQ(1u, User().QueryDWORDValue("Show Icon")) << "an unknown version is an old profile";

    User().SetDWORDValue("Show Icon", 0);
    AuxiliaryFunctions::InitNewCurrentUser();
    EXPECT_EQ(0u, User().QueryDWORDValue("Show Icon"));
}

class FirstTimeClientTest : public UserSetupTest {
protected:
    void WriteServerData(const std::string& version)
    {
        Machine().SetStringValue("Global Data Location", folder.Path());
        ASSERT_TRUE(::WritePrivateProfileStringA("Halvo Server Data", "Version", version.c_str(),
                                                 folder.File("datafile.txt").c_str()));
    }
    PromptRecorder prompts;
};

TEST_F(FirstTimeClientTest, OnlyTheFirstCallOfAClientIsTheFirstTime)
{
    EXPECT_TRUE(AuxiliaryFunctions::IsFirstTimeClientUser());
    EXPECT_EQ(1u, User().QueryDWORDValue("Initialized Client User"));
    EXPECT_FALSE(AuxiliaryFunctions::IsFirstTimeClientUser());
    EXPECT_TRUE(prompts.Prompts().empty());

    SetKind(387);
    User().DeleteValue("Initialized Client User");
    EXPECT_FALSE(AuxiliaryFunctions::IsFirstTimeClientUser());
}

TEST_F(FirstTimeClientTest, ANewServerVersionIsReportedOnce)
{
    User().SetDWORDValue("Initialized Client User", 1);
    User().SetStringValue("Version", "2.10");
    WriteServerData("2.20");

    EXPECT_FALSE(AuxiliaryFunctions::IsFirstTimeClientUser());
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("The Halvo server is running software version 2.20 and you are using version 2.10.\n\n"
              "Contact your administrator to install the right version.",
              prompts.Prompts()[0].text);
    EXPECT_EQ("Halvo", prompts.Prompts()[0].caption);
    EXPECT_EQ("2.20", User().QueryStringValue("Latest Server Version"));

    EXPECT_FALSE(AuxiliaryFunctions::IsFirstTimeClientUser());
    EXPECT_EQ(1u, prompts.Prompts().size());

    WriteServerData("2.10");   // the server caught up with the client
    EXPECT_FALSE(AuxiliaryFunctions::IsFirstTimeClientUser());
    EXPECT_EQ(1u, prompts.Prompts().size());
}

TEST_F(FirstTimeClientTest, NoPublicFolderDataMeansNothingToReport)
{
    User().SetDWORDValue("Initialized Client User", 1);
    User().SetStringValue("Version", "2.10");
    Machine().SetStringValue("Global Data Location", folder.File("unreachable"));
    EXPECT_FALSE(AuxiliaryFunctions::IsFirstTimeClientUser());
    EXPECT_TRUE(prompts.Prompts().empty());
}

// The workgroup helper is a separate program and writes the machine's real registry of
// this Wine prefix, so this test runs without the sandbox and cleans up after itself.
TEST(WorkgroupHelper, RecordsTheComputersWorkgroupForGetComputerDomain)
{
    BrandingLoaded branding;
    ASSERT_TRUE(branding.IsLoaded());
    ASSERT_FALSE(RegKey::LOCAL_MACHINE.KeyExists(kProductKey)) << "the test prefix already holds the product key";
    struct RemoveProductKey {
        ~RemoveProductKey() { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications"); }
    } cleanup;
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey)
        .SetStringValue("Program Path", DirectoryOf(ModuleFileName(nullptr)));

    const std::string workgroup = AuxiliaryFunctions::GetComputerDomain();
    EXPECT_FALSE(workgroup.empty());
    EXPECT_EQ(workgroup, RegKey::LOCAL_MACHINE.GetKeyRead(kProductKey).QueryStringValue("Workgroup"));
}

} // namespace
