#include "launch/file_folder_dialog.h"

#include "res/dialog_ids.h"

#include "support/branding_loaded.h"
#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/scripted_network.h"
#include "support/simulated_share.h"
#include "support/temp_directory.h"
#include "support/tree_driver.h"

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr int kPathEdit = 102;
constexpr int kBrowseDiscs = 103;
// The command of the dialog's "Up One Level" tool button.
constexpr int kUpOneLevel = 0xA001;
constexpr DWORD kCallersFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

struct FolderAnswer {
    INT_PTR result = 0;
    std::string path;
};

class FileFolderDialogTest : public ::testing::Test {
protected:
    BrandingLoaded branding;
    TempDirectory folder;
    SimulatedShare share{"LAUNCHTESTSRV", "TOOLS"};

    // Shows the real dialog as the callers do (folder mode, no filter); drive() gets its window
    // and must end it.
    FolderAnswer Run(const char* title, const char* label, const char* button, const std::function<void(HWND)>& drive)
    {
        FolderAnswer answer;
        FileFolderDialog dialog(nullptr, title, label, button, false, folder.Path().c_str(), nullptr, kCallersFlags);
        {
            ModalDialogRun run([&] { return dialog.DoModal(); });
            drive(run.Window());
            EXPECT_TRUE(run.WaitForEnd(answer.result));
        }
        answer.path = dialog.GetSelectedPath();
        return answer;
    }

    FolderAnswer Choose(const std::string& typed)
    {
        return Run(nullptr, nullptr, nullptr, [&](HWND dialog) {
            TypeIntoItem(dialog, kPathEdit, typed);
            ClickItem(dialog, IDOK);
        });
    }
};

bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
        ::Sleep(25);
    }
    return false;
}

bool StaysOpen(HWND dialog)
{
    ::Sleep(100);
    return ::IsWindowVisible(dialog) != FALSE;
}

HWND FileNameControl(HWND dialog)
{
    HWND edit = ::GetDlgItem(dialog, edt1);
    return edit ? edit : ::GetDlgItem(dialog, cmb13);
}

TEST_F(FileFolderDialogTest, ShowsAPathEditAndItsOwnTextsInPlaceOfTheFileName)
{
    const FolderAnswer cancelled = Run("Start In", "Folder:", "Pick", [&](HWND dialog) {
        EXPECT_EQ("Start In", WindowText(dialog));
        EXPECT_EQ("Pick", ItemText(dialog, IDOK));
        EXPECT_EQ("Folder:", ItemText(dialog, stc3));
        EXPECT_EQ("Browse Discs...", ItemText(dialog, kBrowseDiscs));
        EXPECT_TRUE(IsItemVisible(dialog, kBrowseDiscs));
        EXPECT_TRUE(IsItemVisible(dialog, kPathEdit));
        EXPECT_EQ(0, ::lstrcmpiA(folder.Path().c_str(), ItemText(dialog, kPathEdit).c_str()))
            << ItemText(dialog, kPathEdit);
        ASSERT_NE(nullptr, FileNameControl(dialog));
        EXPECT_FALSE(::IsWindowVisible(FileNameControl(dialog)));
        EXPECT_FALSE(IsItemVisible(dialog, stc2)) << "no file types when choosing a folder";
        EXPECT_FALSE(IsItemVisible(dialog, cmb1));
        CancelDialog(dialog);
    });
    EXPECT_EQ(IDCANCEL, cancelled.result);
    EXPECT_EQ("", cancelled.path);

    const FolderAnswer defaults = Run(nullptr, nullptr, nullptr, [](HWND dialog) {
        EXPECT_EQ("Select Folder", WindowText(dialog));
        EXPECT_EQ("Select", ItemText(dialog, IDOK));
        EXPECT_EQ("Select", ItemText(dialog, stc3));
        CancelDialog(dialog);
    });
    EXPECT_EQ(IDCANCEL, defaults.result);
}

TEST_F(FileFolderDialogTest, RefusesMalformedMissingAndFilePathsAndStaysOpen)
{
    PromptRecorder prompts;
    ASSERT_TRUE(WriteWholeFile(folder.File("readme.txt"), "text"));
    const std::string innerDoubleBackslash = "\\\\LAUNCHTESTSRV\\\\TOOLS";
    const std::string missing = folder.File("nothing here");
    const FolderAnswer answer = Run(nullptr, nullptr, nullptr, [&](HWND dialog) {
        for (const std::string& typed : {innerDoubleBackslash, missing, folder.File("readme.txt")}) {
            TypeIntoItem(dialog, kPathEdit, typed);
            ClickItem(dialog, IDOK);
            EXPECT_TRUE(StaysOpen(dialog)) << typed;
        }
        CancelDialog(dialog);
    });
    EXPECT_EQ(IDCANCEL, answer.result);
    EXPECT_EQ("", answer.path);

    ASSERT_EQ(3u, prompts.Prompts().size());
    EXPECT_EQ("The specified path \\\\LAUNCHTESTSRV\\\\TOOLS is invalid.", prompts.Prompts()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), prompts.Prompts()[0].style & MB_ICONMASK);
    EXPECT_EQ("The path " + missing + " does not exist.", prompts.Prompts()[1].text);
    EXPECT_EQ("The specified path " + folder.File("readme.txt") + " is invalid.", prompts.Prompts()[2].text)
        << "a file is no folder";
}

TEST_F(FileFolderDialogTest, AcceptsAnExistingNetworkPathAsTyped)
{
    const FolderAnswer answer = Choose(share.Path());
    EXPECT_EQ(IDOK, answer.result);
    EXPECT_EQ("\\\\LAUNCHTESTSRV\\TOOLS", answer.path);

    // The share's root with a backslash still names the share.
    EXPECT_EQ("\\\\LAUNCHTESTSRV\\TOOLS", Choose(share.Path() + "\\").path);
}

TEST_F(FileFolderDialogTest, ADriveRootKeepsItsBackslashWhereOtherFoldersLoseIt)
{
    const FolderAnswer root = Choose("C:\\");
    EXPECT_EQ(IDOK, root.result);
    EXPECT_EQ("C:\\", root.path);

    EXPECT_EQ(folder.Path(), Choose(folder.Path() + "\\").path);
}

TEST_F(FileFolderDialogTest, AnEmptyPathChoosesTheFolderShown)
{
    const FolderAnswer answer = Choose("");
    EXPECT_EQ(IDOK, answer.result);
    EXPECT_EQ(0, ::lstrcmpiA(folder.Path().c_str(), answer.path.c_str())) << answer.path;
}

TEST_F(FileFolderDialogTest, ThePathFollowsTheFolderShownAndAFolderWithoutAPathIsNoChoice)
{
    PromptRecorder prompts;
    FolderAnswer answer;
    FileFolderDialog dialog(nullptr, nullptr, nullptr, nullptr, false, "C:\\windows", nullptr, kCallersFlags);
    {
        ModalDialogRun run([&] { return dialog.DoModal(); });
        HWND window = run.Window();
        NotifyCommand(window, kUpOneLevel, 0);
        EXPECT_EQ("C:\\", ItemText(window, kPathEdit));
        NotifyCommand(window, kUpOneLevel, 0);
        EXPECT_EQ("", ItemText(window, kPathEdit)) << "My Computer has no path";
        ClickItem(window, IDOK);
        EXPECT_TRUE(StaysOpen(window));
        CancelDialog(window);
        EXPECT_TRUE(run.WaitForEnd(answer.result));
    }
    EXPECT_EQ(IDCANCEL, answer.result);
    EXPECT_EQ("", dialog.GetSelectedPath());
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("The specified path  is invalid.", prompts.Prompts()[0].text);
}

TEST_F(FileFolderDialogTest, DialogsOpenOnTwoThreadsAtOnceKeepTheirOwnChoices)
{
    TempDirectory other;
    FileFolderDialog first(nullptr, nullptr, nullptr, nullptr, false, folder.Path().c_str(), nullptr, kCallersFlags);
    FileFolderDialog second(nullptr, nullptr, nullptr, nullptr, false, other.Path().c_str(), nullptr, kCallersFlags);
    INT_PTR firstResult = 0;
    INT_PTR secondResult = 0;
    {
        ModalDialogRun firstRun([&] { return first.DoModal(); });
        ModalDialogRun secondRun([&] { return second.DoModal(); });
        // The one opened last ends first.
        ClickItem(secondRun.Window(), IDOK);
        EXPECT_TRUE(secondRun.WaitForEnd(secondResult));
        ClickItem(firstRun.Window(), IDOK);
        EXPECT_TRUE(firstRun.WaitForEnd(firstResult));
    }
    EXPECT_EQ(IDOK, firstResult);
    EXPECT_EQ(IDOK, secondResult);
    EXPECT_EQ(0, ::lstrcmpiA(folder.Path().c_str(), first.GetSelectedPath().c_str())) << first.GetSelectedPath();
    EXPECT_EQ(0, ::lstrcmpiA(other.Path().c_str(), second.GetSelectedPath().c_str())) << second.GetSelectedPath();
}

TEST_F(FileFolderDialogTest, FileModeWithAFilterOffersTheTypesAndTakesAFile)
{
    ASSERT_TRUE(WriteWholeFile(folder.File("setup.exe"), "MZ"));
    FileFolderDialog dialog(nullptr, nullptr, nullptr, nullptr, true, folder.Path().c_str(),
                            "Programs (*.exe)|*.exe|All files|*.*|", kCallersFlags);
    INT_PTR result = 0;
    {
        ModalDialogRun run([&] { return dialog.DoModal(); });
        HWND window = run.Window();
        EXPECT_TRUE(IsItemVisible(window, stc2));
        EXPECT_TRUE(IsItemVisible(window, cmb1));
        EXPECT_EQ(2, ::SendDlgItemMessageA(window, cmb1, CB_GETCOUNT, 0, 0));
        TypeIntoItem(window, kPathEdit, folder.File("setup.exe"));
        ClickItem(window, IDOK);
        ASSERT_TRUE(run.WaitForEnd(result));
    }
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(folder.File("setup.exe"), dialog.GetSelectedPath());
}

// Browse Discs takes its discs from the cache and checks them through the network seam; the
// common dialog then opens the disc in the file system, where the share is made to exist.
class FileFolderDialogBrowseDiscsTest : public CacheFixture {
protected:
    ScriptedNetwork network;
    SimulatedShare share{"LAUNCHTESTSRV", "TOOLS"};
};

TEST_F(FileFolderDialogBrowseDiscsTest, ADiscPickedInBrowseDiscsLeadsToItsFolder)
{
    ASSERT_TRUE(Cache(CacheEdit, "Work").AddItem(Disc("\\\\LAUNCHTESTSRV", "TOOLS")));
    network.AnswerProbe(share.Path(), NO_ERROR);
    FileFolderDialog dialog(nullptr, nullptr, nullptr, nullptr, false, "C:\\", nullptr, kCallersFlags);
    INT_PTR result = 0;
    {
        ModalDialogRun run([&] { return dialog.DoModal(); });
        HWND fileDialog = run.Window();
        // Posted: the button's handler runs Browse Discs modally and would hold a sent click.
        ::PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(kBrowseDiscs, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(fileDialog, kBrowseDiscs)));
        HWND browse = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            browse = run.Window();
            return browse && browse != fileDialog;
        }));
        HWND tree = ::GetDlgItem(browse, IDC_BROWSE_TREE);
        ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "TOOLS")));
        ClickItem(browse, IDOK);

        // The dialog shows the disc (opened, or where the common dialog cannot open a network
        // path, ready to be chosen) and waits for the user's OK.
        EXPECT_TRUE(WaitFor([&] {
            return ::lstrcmpiA(ItemText(fileDialog, kPathEdit).c_str(), share.Path().c_str()) == 0;
        })) << ItemText(fileDialog, kPathEdit);
        EXPECT_TRUE(StaysOpen(fileDialog));
        EXPECT_EQ("", WindowText(FileNameControl(fileDialog))) << "the disc's path is not left behind";
        ClickItem(fileDialog, IDOK);
        ASSERT_TRUE(run.WaitForEnd(result));
    }
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, ::lstrcmpiA(share.Path().c_str(), dialog.GetSelectedPath().c_str())) << dialog.GetSelectedPath();
}

} // namespace
