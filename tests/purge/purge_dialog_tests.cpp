#include "res/clearbay_dialog_ids.h"

#include "support/box_answerer.h"
#include "support/dialog_session.h"
#include "support/purge_test_machine.h"
#include "support/recycle_bin_cleanup.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kQuestion[] = "Are you sure you want to remove the selected HALVO registry data?";
const char kRemoved[] = "Removed selected HALVO registry data successfully.";

class PurgeDialogTest : public ::testing::Test {
protected:
    void ExpectEverythingInstalledIsThere() const
    {
        for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            for (const std::string& key : machine.InstalledKeys(root))
                EXPECT_TRUE(KeyExists(root, key)) << key;
        }
        for (const std::string& value : machine.InstalledValueEntries())
            EXPECT_TRUE(ValueEntryExists(HKEY_LOCAL_MACHINE, value)) << value;
        for (const std::string& path : machine.InstalledPaths())
            EXPECT_TRUE(FileExists(path)) << path;
    }

    void ExpectDecoysAreThere() const
    {
        for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            for (const std::string& key : machine.DecoyKeys(root))
                EXPECT_TRUE(KeyExists(root, key)) << key;
        }
        for (const std::string& value : machine.DecoyValueEntries())
            EXPECT_TRUE(ValueEntryExists(HKEY_LOCAL_MACHINE, value)) << value;
        for (const std::string& path : machine.DecoyPaths())
            EXPECT_TRUE(FileExists(path)) << path;
    }

    PurgeTestMachine machine;
};

TEST_F(PurgeDialogTest, OpensWithTheInitialChoicesAndNothingToPurge)
{
    DialogSession dialog(machine.Locations());
    EXPECT_EQ("HALVO Purge", WindowText(dialog.Window()));
    EXPECT_TRUE(dialog.IsChecked(IDC_ROOT_CLASSES_ROOT));
    EXPECT_FALSE(dialog.IsChecked(IDC_ROOT_CURRENT_USER));
    EXPECT_TRUE(dialog.IsChecked(IDC_ROOT_LOCAL_MACHINE));
    EXPECT_FALSE(dialog.IsChecked(IDC_FILES_DELETE));
    EXPECT_TRUE(dialog.IsChecked(IDC_FILES_KEEP));
    EXPECT_FALSE(dialog.IsEnabled(IDC_PURGE_SYSTEM));
    EXPECT_TRUE(dialog.IsEnabled(IDC_START_SEARCH));
    EXPECT_EQ((std::vector<std::string>{"Name", "Comment"}), dialog.ColumnTitles());
    EXPECT_TRUE(dialog.ListRows().empty());
    EXPECT_EQ("&Start Search", WindowText(dialog.Item(IDC_START_SEARCH)));
    EXPECT_EQ("&Purge System", WindowText(dialog.Item(IDC_PURGE_SYSTEM)));
    EXPECT_EQ("&Close", WindowText(dialog.Item(IDCANCEL)));
}

TEST_F(PurgeDialogTest, SearchOnAMachineWithoutTheSuiteLeavesPurgeDisabled)
{
    machine.InstallDecoys();
    DialogSession dialog(machine.Locations());
    dialog.Click(IDC_START_SEARCH);

    const std::vector<ReportLine> rows = dialog.ListRows();
    EXPECT_EQ(9u, rows.size());
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), ReportLine{"No registry data found.", ""}));
    EXPECT_EQ((ReportLine{"No files or folders found.", ""}), rows.back());
    EXPECT_FALSE(dialog.IsEnabled(IDC_PURGE_SYSTEM));
    for (int box : {IDC_ROOT_CLASSES_ROOT, IDC_ROOT_CURRENT_USER, IDC_ROOT_LOCAL_MACHINE})
        EXPECT_FALSE(dialog.IsEnabled(box)) << box;
}

TEST_F(PurgeDialogTest, SearchListsTheDataAndPurgeRemovesWhatWasChosen)
{
    machine.InstallEverything();
    DialogSession dialog(machine.Locations());
    dialog.Click(IDC_START_SEARCH);
    EXPECT_EQ(machine.FullReport(), dialog.ListRows());
    for (int box : {IDC_ROOT_CLASSES_ROOT, IDC_ROOT_CURRENT_USER, IDC_ROOT_LOCAL_MACHINE})
        EXPECT_TRUE(dialog.IsEnabled(box)) << box;
    ASSERT_TRUE(dialog.IsEnabled(IDC_PURGE_SYSTEM));

    dialog.SetChecked(IDC_ROOT_CURRENT_USER, true);
    dialog.SetChecked(IDC_FILES_KEEP, false);
    dialog.SetChecked(IDC_FILES_DELETE, true);
    RecycleBinCleanup cleanup(machine.RootName());
    const long long itemsInBin = RecycleBinItemCount();
    BoxAnswerer boxes;
    boxes.Ignore(dialog.Window());
    dialog.Click(IDC_PURGE_SYSTEM);

    const std::vector<BoxAnswerer::Box> shown = boxes.Boxes();
    ASSERT_LE(2u, shown.size());
    EXPECT_EQ("Clearbay", shown[0].caption);
    EXPECT_EQ(kQuestion, shown[0].text);
    EXPECT_EQ("Clearbay", shown[1].caption);
    EXPECT_EQ(kRemoved, shown[1].text);
    // What follows is the shell asking about each file or folder it moves.
    for (size_t i = 2; i < shown.size(); ++i)
        EXPECT_NE("Clearbay", shown[i].caption) << shown[i].text;

    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::string& key : machine.InstalledKeys(root))
            EXPECT_FALSE(KeyExists(root, key)) << key;
    }
    for (const std::string& value : machine.InstalledValueEntries())
        EXPECT_FALSE(ValueEntryExists(HKEY_LOCAL_MACHINE, value)) << value;
    // Gone from their places into the Recycle Bin, one item each.
    for (const std::string& path : machine.InstalledPaths())
        EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_EQ(itemsInBin + static_cast<long long>(machine.InstalledPaths().size()), RecycleBinItemCount());
    ExpectDecoysAreThere();
    EXPECT_FALSE(dialog.IsEnabled(IDC_PURGE_SYSTEM));

    dialog.Click(IDCANCEL);
    dialog.WaitUntilClosed();
}

TEST_F(PurgeDialogTest, KeepFilesWithEveryRootBoxClearDoesNothing)
{
    machine.InstallEverything();
    DialogSession dialog(machine.Locations());
    dialog.Click(IDC_START_SEARCH);
    BoxAnswerer boxes;
    boxes.Ignore(dialog.Window());

    // With every root box clear and the files kept there is nothing to ask and nothing to do.
    for (int box : {IDC_ROOT_CLASSES_ROOT, IDC_ROOT_CURRENT_USER, IDC_ROOT_LOCAL_MACHINE})
        dialog.SetChecked(box, false);
    dialog.Click(IDC_PURGE_SYSTEM);
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectEverythingInstalledIsThere();
    EXPECT_FALSE(dialog.IsEnabled(IDC_PURGE_SYSTEM));
}

TEST_F(PurgeDialogTest, ProtectedProgramFolderSurvivesAPurgeThatDeletesFiles)
{
    // A scratch folder stands in for a system folder so that a fault cannot harm the machine.
    const std::string systemLike = machine.Path("System Like");
    const std::string ordinary = machine.Path("Halvo");
    machine.CreateFolder(systemLike + "\\Content");
    machine.CreateFolder(ordinary);
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications\\Tessaro Halvo", "Program Path", systemLike);
    machine.SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor\\Ferrant", "Program Path", ordinary);
    FolderLocations locations = machine.Locations();
    locations.protectedFolders.Add(systemLike + "\\Content");

    DialogSession dialog(locations);
    dialog.Click(IDC_START_SEARCH);
    const std::vector<ReportLine> rows = dialog.ListRows();
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(),
                                    ReportLine{systemLike, "Protected system or user folder: will not be deleted"}));
    dialog.SetChecked(IDC_FILES_KEEP, false);
    dialog.SetChecked(IDC_FILES_DELETE, true);
    RecycleBinCleanup cleanup(machine.RootName());
    BoxAnswerer boxes;
    boxes.Ignore(dialog.Window());
    dialog.Click(IDC_PURGE_SYSTEM);

    EXPECT_TRUE(FileExists(systemLike + "\\Content"));
    EXPECT_FALSE(FileExists(ordinary));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications\\Tessaro Halvo"));
}

TEST_F(PurgeDialogTest, AboutBoxFromTheSystemMenuShowsTheVersion)
{
    DialogSession dialog(machine.Locations());
    HMENU systemMenu = ::GetSystemMenu(dialog.Window(), FALSE);
    char item[64] = {};
    ::GetMenuStringA(systemMenu, IDM_ABOUT_BOX, item, sizeof item, MF_BYCOMMAND);
    EXPECT_STREQ("&About Clearbay...", item);

    ::PostMessageA(dialog.Window(), WM_SYSCOMMAND, IDM_ABOUT_BOX, 0);
    HWND about = nullptr;
    // Shown once it has filled in its texts.
    for (int i = 0; i < 500 && !(about && ::IsWindowVisible(about)); ++i) {
        ::Sleep(10);
        about = ::FindWindowA("#32770", "About Clearbay");
    }
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(dialog.Window(), ::GetWindow(about, GW_OWNER));
    EXPECT_EQ("Clearbay Version " SUITE_FILE_VERSION, WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)));
    EXPECT_EQ("This version of the program only handles ORVEK Tessaro HALVO                 versions 1.00-2.00 "
              "(regardless of brand).",
              WindowText(::GetDlgItem(about, IDC_ABOUT_SCOPE)));
    ::SendMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 500 && ::IsWindow(about); ++i)
        ::Sleep(10);
    EXPECT_FALSE(::IsWindow(about));
}

} // namespace
