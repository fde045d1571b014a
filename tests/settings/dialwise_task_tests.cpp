#include "dialwise_task.h"
#include "shell_notices.h"

#include "support/scripted_network.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace {

DialwiseTask TaskOf(const wchar_t* commandLine) { return ChooseTask(CommandLineInfo(commandLine)); }

TEST(DialwiseTaskTest, TheSwitchesAreTestedInTheirOrderAndTheFirstPresentWins)
{
    EXPECT_EQ(DialwiseSwitch::RefreshDrive, TaskOf(L"Dialwise.exe -s:1 -u:D").which);   // u before s
    EXPECT_EQ(DialwiseSwitch::SettingsSheet, TaskOf(L"Dialwise.exe -i -n -a:x -e:x -p -m -f -s").which);
    EXPECT_EQ(DialwiseSwitch::FindDiscs, TaskOf(L"Dialwise.exe -i -n -a:x -e:x -p -m -f").which);
    EXPECT_EQ(DialwiseSwitch::MapDisc, TaskOf(L"Dialwise.exe -i -n -a:x -e:x -p -m").which);
    EXPECT_EQ(DialwiseSwitch::AboutBox, TaskOf(L"Dialwise.exe -i -n -a:x -e:x -p").which);
    EXPECT_EQ(DialwiseSwitch::ExecuteLaunchObject, TaskOf(L"Dialwise.exe -i -n -a:x -e:x").which);
    EXPECT_EQ(DialwiseSwitch::AutoMapItem, TaskOf(L"Dialwise.exe -i -n -a:x").which);
    EXPECT_EQ(DialwiseSwitch::NetworkSetup, TaskOf(L"Dialwise.exe -i -n").which);
    EXPECT_EQ(DialwiseSwitch::SelectPublicFolders, TaskOf(L"Dialwise.exe -i").which);
    EXPECT_EQ(DialwiseSwitch::None, TaskOf(L"Dialwise.exe").which);
    EXPECT_EQ(DialwiseSwitch::None, TaskOf(L"Dialwise.exe -x:1 settings").which);
}

TEST(DialwiseTaskTest, TheSettingsPageIsADecimalNumberAndAnythingElseTheFirstPage)
{
    EXPECT_EQ(3u, SettingsPageOf(TaskOf(L"Dialwise.exe -S:3").value));
    EXPECT_EQ(3u, SettingsPageOf(TaskOf(L"Dialwise.exe /s:3").value));
    EXPECT_EQ(0u, SettingsPageOf(TaskOf(L"Dialwise.exe -s").value));
    EXPECT_EQ(12u, SettingsPageOf("12"));
    for (const char* refused : {"-1", "x", "2x", " 2", "", "99999999999", "4294967297"})
        EXPECT_EQ(0u, SettingsPageOf(refused)) << refused;
}

TEST(DialwiseTaskTest, ALaunchObjectsPathKeepsEverythingAfterTheFirstColon)
{
    const DialwiseTask task = TaskOf(L"Dialwise.exe -e:Folder\\Item:x");
    EXPECT_EQ(DialwiseSwitch::ExecuteLaunchObject, task.which);
    EXPECT_EQ("Folder\\Item:x", task.value);
}

TEST(DialwiseTaskTest, OnlyADriveLetterFromAToZIsRefreshed)
{
    ScriptedNetwork network;
    RefreshDrive("1");
    RefreshDrive("");
    EXPECT_TRUE(network.Notifications().empty()) << "a refused letter sends Explorer nothing";
    RefreshDrive("e");
    ASSERT_EQ(1u, network.Notifications().size());
    EXPECT_EQ(SHCNE_UPDATEDIR, network.Notifications()[0].event);
    EXPECT_EQ("e:\\", network.Notifications()[0].path);

    EXPECT_EQ("D:\\", DriveRootOf("D"));
    EXPECT_EQ("d:\\", DriveRootOf("d:"));
    EXPECT_EQ("Z:\\", DriveRootOf("Z:\\"));
    for (const char* refused : {"", "1", "DE", "D:x", "D:\\\\", "\\\\SRV", "%", ":", "D;"})
        EXPECT_FALSE(DriveRootOf(refused)) << refused;
}

} // namespace
