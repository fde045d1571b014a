#include "purge_dialog.h"
#include "registry_purge.h"

#include "support/box_answerer.h"
#include "support/purge_test_machine.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace {

class PurgeRemovalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    PurgeTestMachine machine;
};

TEST_F(PurgeRemovalTest, SilentModeRemovesClassesRootAndLocalMachineDataOnlyAndKeepsFiles)
{
    machine.InstallEverything();
    BoxAnswerer boxes;

    PurgeDialog dialog(machine.Locations());
    EXPECT_TRUE(dialog.RunSilent());

    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text;
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE}) {
        for (const std::string& key : machine.InstalledKeys(root))
            EXPECT_FALSE(KeyExists(root, key)) << key;
    }
    for (const std::string& value : machine.InstalledValueEntries())
        EXPECT_FALSE(ValueEntryExists(HKEY_LOCAL_MACHINE, value)) << value;
    for (const std::string& key : machine.InstalledKeys(HKEY_CURRENT_USER))
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key)) << key;
    for (const std::string& path : machine.InstalledPaths())
        EXPECT_TRUE(FileExists(path)) << path;

    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::string& key : machine.DecoyKeys(root))
            EXPECT_TRUE(KeyExists(root, key)) << key;
    }
    for (const std::string& value : machine.DecoyValueEntries())
        EXPECT_TRUE(ValueEntryExists(HKEY_LOCAL_MACHINE, value)) << value;
    // The vendor key keeps what is not the product's.
    EXPECT_TRUE(ValueEntryExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications:  Client Setup Location"));
}

TEST_F(PurgeRemovalTest, RegistryPurgeGoesOnPastAFailedEntryAndReportsTheFailure)
{
    machine.CreateKey(HKEY_CLASSES_ROOT, "CLSID\\{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo");
    machine.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor\\Ferrant");
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd:Vendor", "Halvo", "x");
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd:Vendor", "Kept", "x");

    RegistryFindings findings;
    findings.classesRootKeys = {{"CLSID\\{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}", ""}};
    findings.localMachineKeys = {{"SOFTWARE\\Zandor\\", ""}, // names no key: fails
                                 {"SOFTWARE\\Already\\Gone", ""},
                                 {"SOFTWARE\\Zandor\\Ferrant", ""}};
    findings.localMachineValues = {"no separator here", "SOFTWARE\\Odd:Vendor:  Halvo  ",
                                   "SOFTWARE\\Run:  Already gone"};

    EXPECT_FALSE(DeleteRegistryData(findings, {true, false, true}));

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor\\Ferrant"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor"));
    EXPECT_FALSE(ValueEntryExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd:Vendor:  Halvo"));
    EXPECT_TRUE(ValueEntryExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd:Vendor:  Kept"));
}

TEST_F(PurgeRemovalTest, DataAlreadyGoneAndUnselectedRootsCountAsSuccess)
{
    machine.CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Orvek Communications\\Tessaro Halvo");
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "ORVEK Tessaro Halvo", "x");

    RegistryFindings findings;
    findings.currentUserKeys = {{"SOFTWARE\\Orvek Communications\\Tessaro Halvo", ""}};
    findings.localMachineKeys = {{"SOFTWARE\\Orvek Communications\\Tessaro Halvo", ""}};
    findings.localMachineValues = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run:  ORVEK Tessaro Halvo"};

    EXPECT_TRUE(DeleteRegistryData(findings, {true, false, false}));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Orvek Communications\\Tessaro Halvo"));
    EXPECT_TRUE(ValueEntryExists(HKEY_LOCAL_MACHINE, findings.localMachineValues[0]));

    EXPECT_TRUE(DeleteRegistryData(findings, {false, true, true}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Orvek Communications\\Tessaro Halvo"));
    EXPECT_FALSE(ValueEntryExists(HKEY_LOCAL_MACHINE, findings.localMachineValues[0]));
}

} // namespace
