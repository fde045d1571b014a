#include "registry/registry.h"
#include "settings/auxiliary.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    BrandingLoaded branding;

    RegKey Machine() { return RegKey::LOCAL_MACHINE.CreateKey(kProductKey); }
    RegKey User() { return RegKey::CURRENT_USER.CreateKey(kProductKey); }
    void SetProviderOrder(const std::string& order)
    {
        RegKey::LOCAL_MACHINE.CreateKey("System\\CurrentControlSet\\Control\\NetworkProvider\\Order")
            .SetStringValue("ProviderOrder", order);
    }
};

TEST_F(SettingsTest, InstallationKindComesFromTheMachineKey)
{
    EXPECT_EQ(ItemCreatorClient, AuxiliaryFunctions::GetUser());   // no key at all
    Machine().SetDWORDValue("Installed Version", 387);
    EXPECT_EQ(ItemCreatorServer, AuxiliaryFunctions::GetUser());
    Machine().SetDWORDValue("Installed Version", 691);
    EXPECT_EQ(ItemCreatorOther, AuxiliaryFunctions::GetUser());
    Machine().SetDWORDValue("Installed Version", 0);
    EXPECT_EQ(ItemCreatorClient, AuxiliaryFunctions::GetUser());
    Machine().SetStringValue("Installed Version", "387");   // damaged: wrong type
    EXPECT_EQ(ItemCreatorClient, AuxiliaryFunctions::GetUser());
}

TEST_F(SettingsTest, SupportedNetworksComeFromTheProviderOrder)
{
    EXPECT_EQ(0, AuxiliaryFunctions::CheckSupportedNetworks());   // no provider order
    SetProviderOrder("LanmanWorkstation,NWCWorkstation");
    EXPECT_EQ(3, AuxiliaryFunctions::CheckSupportedNetworks());
    SetProviderOrder("RDPNP,lanmanworkstation,webclient");
    EXPECT_EQ(1, AuxiliaryFunctions::CheckSupportedNetworks());
    SetProviderOrder("NetwareWorkstation");
    EXPECT_EQ(2, AuxiliaryFunctions::CheckSupportedNetworks());
    // A long list is read whole: the last provider still counts.
    SetProviderOrder(std::string(300, 'X') + ",NWCWorkstation");
    EXPECT_EQ(2, AuxiliaryFunctions::CheckSupportedNetworks());
}

TEST_F(SettingsTest, TheClipboardCutFlagIsAValueThatComesAndGoes)
{
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
    AuxiliaryFunctions::SetClipboardCutFlag(false);   // nothing to remove, nothing created
    EXPECT_FALSE(RegKey::CURRENT_USER.KeyExists(kProductKey));
    AuxiliaryFunctions::SetClipboardCutFlag(true);
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_EQ(1u, User().QueryDWORDValue("ClipboardCutFlag"));
    AuxiliaryFunctions::SetClipboardCutFlag(false);
    EXPECT_FALSE(User().ValueExists("ClipboardCutFlag"));
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
}

TEST_F(SettingsTest, NetworkSettingsReplaceTheDomainListAndRecordTheScope)
{
    AuxiliaryFunctions::SaveNetworkSettings(0, 1, SelectedDomains, {"SALES", "LAB"});
    AuxiliaryFunctions::SaveNetworkSettings(1, 1, OwnDomain, {"OFFICE"});

    RegKeyRead discSearch = User().GetKeyRead("Disc Search");
    EXPECT_EQ(1u, discSearch.QueryDWORDValue("Microsoft Windows Network"));
    EXPECT_EQ(1u, discSearch.QueryDWORDValue("NetWare Network"));
    RegKeyRead domains = User().GetKeyRead("Disc Search\\SMB Domains");
    EXPECT_TRUE(domains.ValueExists("OFFICE"));
    EXPECT_FALSE(domains.ValueExists("SALES"));
    EXPECT_FALSE(domains.ValueExists("LAB"));
    EXPECT_EQ(0u, domains.QueryDWORDValue("Entire Network"));

    AuxiliaryFunctions::SaveNetworkSettings(0, 1, AllDomains, {});
    EXPECT_EQ(1u, User().GetKeyRead("Disc Search\\SMB Domains").QueryDWORDValue("Entire Network"));
    EXPECT_FALSE(User().GetKeyRead("Disc Search\\SMB Domains").ValueExists("OFFICE"));
}

TEST(Subpaths, ComparedWithoutCaseBlanksOrTrailingBackslashes)
{
    EXPECT_TRUE(AuxiliaryFunctions::IsSubpath("C:\\Data", "C:\\Data\\"));
    EXPECT_TRUE(AuxiliaryFunctions::IsSubpath("c:\\data\\", " C:\\DATA\\Sub"));
    EXPECT_FALSE(AuxiliaryFunctions::IsSubpath("C:\\Data", "C:\\Database"));
    EXPECT_FALSE(AuxiliaryFunctions::IsSubpath("C:\\Data\\Sub", "C:\\Data"));
    EXPECT_TRUE(AuxiliaryFunctions::IsSubpath("Folder", "Folder\\Child\\Grandchild"));
}

std::string LocalText(std::time_t when)
{
    std::tm local = *std::localtime(&when);
    return std::to_string(local.tm_year + 1900) + " " + std::to_string(local.tm_mon + 1) + " " +
           std::to_string(local.tm_mday) + " " + std::to_string(local.tm_hour) + " " + std::to_string(local.tm_min);
}

TEST(NextEvent, IsTheFirstWholeStepAfterNow)
{
    const std::time_t now = 1700000000;
    const std::time_t start = now - 150 * 60;   // two and a half hours ago
    std::time_t next = 0;
    EXPECT_EQ(LocalText(start + 180 * 60), AuxiliaryFunctions::CalculateNextEvent(start, 60, now, next));
    EXPECT_EQ(start + 180 * 60, next);

    // A start exactly one step ago is not "later than now" until advanced once more.
    EXPECT_EQ(LocalText(now + 60 * 60), AuxiliaryFunctions::CalculateNextEvent(now - 60 * 60, 60, now, next));
    // A start still to come is itself the next event.
    AuxiliaryFunctions::CalculateNextEvent(now + 10, 60, now, next);
    EXPECT_EQ(now + 10, next);
    // Years of tiny steps cost nothing.
    AuxiliaryFunctions::CalculateNextEvent(0, 1, now, next);
    EXPECT_GT(next, now);
    EXPECT_LE(next, now + 60);
}

TEST(NextEvent, RefusesAnIntervalThatWouldNeverAdvance)
{
    std::time_t next = 0;
    EXPECT_EQ("", AuxiliaryFunctions::CalculateNextEvent(1000, 0, 5000, next));
    EXPECT_EQ(1000, next);
    EXPECT_EQ("", AuxiliaryFunctions::CalculateNextEvent(1000, -5, 5000, next));
    EXPECT_EQ(1000, next);
}

TEST(Platform, WindowsFolderAndPlatformAreKnown)
{
    EXPECT_EQ(PlatformWindows2000OrLater, AuxiliaryFunctions::GetPlatform());
    char expected[MAX_PATH];
    ::GetWindowsDirectoryA(expected, sizeof expected);
    EXPECT_EQ(expected, AuxiliaryFunctions::GetWindowsDirectoryA());
}

} // namespace
