#include "browse/browse_for_media_dialog.h"
#include "res/dialog_ids.h"

#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/scripted_network.h"
#include "support/tree_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class BrowseForMediaDialogTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        AddDisc("Work", Disc("\\\\SRV", "zeta"));
        AddDisc("Work", Disc("\\\\SRV", "Alpha"));
        AddDisc("Work", Disc("\\\\SRV", "mid", JazDisc));
        MakeFolder("Work\\Zoo", "Zoo", UserFolder);
        MakeFolder("Work\\Setup", "Setup", LaunchObject);
        AddDisc("All Discs", Disc("\\\\OTHER", "Beta"));
    }

    static void AddDisc(const std::string& folder, const CacheItem& disc)
    {
        Cache edit(CacheEdit, folder);
        ASSERT_TRUE(edit.AddItem(disc));
    }

    static HWND TreeOf(HWND dialog) { return ::GetDlgItem(dialog, IDC_BROWSE_TREE); }

    ScriptedNetwork network;
    PromptRecorder prompts;
};

} // namespace

TEST_F(BrowseForMediaDialogTest, TreeShowsFoldersThenDiscsInItemOrderWithShortcutsMarked)
{
    BrowseForMediaDialog dialog(nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND tree = TreeOf(run.Window());
    ASSERT_NE(nullptr, tree);

    const HTREEITEM root = TreeView_GetRoot(tree);
    EXPECT_EQ("Network Storage", TreeItemText(tree, root));
    EXPECT_EQ((std::vector<std::string>{"All Discs", "Work"}), TreeChildTexts(tree, root));
    const HTREEITEM work = FindTreeItem(tree, "Work");
    // Folders first, then discs by name whatever their case; the launch object is left out.
    EXPECT_EQ((std::vector<std::string>{"Zoo", "Alpha     :   \\\\SRV\\Alpha", "mid     :   \\\\SRV\\mid",
                                        "zeta     :   \\\\SRV\\zeta"}),
              TreeChildTexts(tree, work));
    EXPECT_EQ(1u, TreeItemOverlay(tree, FindTreeItem(tree, "Alpha"))) << "a disc in a user folder is a shortcut";
    EXPECT_EQ(0u, TreeItemOverlay(tree, FindTreeItem(tree, "Beta"))) << "the system folder holds the discs themselves";
    CancelDialog(run.Window());
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(BrowseForMediaDialogTest, ClickingAFolderAfterADiscLeavesNoChoiceAndOkTakesIt)
{
    BrowseForMediaDialog dialog(nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND tree = TreeOf(run.Window());
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Alpha")));
    ClickItem(run.Window(), IDOK);
    ASSERT_EQ(1u, prompts.Prompts().size()) << "the disc was chosen, and the network does not know it";

    // After the folder no disc is chosen any more: OK closes at once, checking nothing.
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Zoo")));
    ClickItem(run.Window(), IDOK);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("", dialog.GetSelectedMedia());
    EXPECT_EQ(1u, prompts.Prompts().size());
}

TEST_F(BrowseForMediaDialogTest, ADiscNameHoldingAColonStillGivesItsNetworkPath)
{
    CacheItem disc = Disc("\\\\SRV", "BACKUP");
    disc.Name = "Backup: 2024";
    AddDisc("Work", disc);
    network.AnswerProbe("\\\\SRV\\BACKUP", NO_ERROR);

    BrowseForMediaDialog dialog(nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND tree = TreeOf(run.Window());
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Backup: 2024")));
    ClickItem(run.Window(), IDOK);
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result)) << "the disc's path was taken wrongly";
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("\\\\SRV\\BACKUP", dialog.GetSelectedMedia());
}

TEST_F(BrowseForMediaDialogTest, OkStaysOpenWithTheReasonUntilTheDiscCanBeReached)
{
    BrowseForMediaDialog dialog(nullptr);
    ModalDialogRun run([&] { return dialog.DoModal(); });
    HWND tree = TreeOf(run.Window());
    const std::string path = "\\\\SRV\\Alpha";
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Alpha")));

    const struct {
        DWORD error;
        std::string text;
    } refusals[] = {
        {ERROR_NETWORK_ACCESS_DENIED, path + " is not accessible.\n\n Network access is denied."},
        {ERROR_INVALID_PASSWORD, path + " is not accessible.\n\n Network access is denied."},
        {ERROR_BAD_NET_NAME, path + "\n\nThe network path was not found."},
        {ERROR_LOGON_FAILURE, "Cannot connect to disc. Error: 1326"},
    };
    for (const auto& refusal : refusals) {
        network.AnswerProbe(path, refusal.error);
        const size_t before = prompts.Prompts().size();
        ClickItem(run.Window(), IDOK);
        ASSERT_EQ(before + 1, prompts.Prompts().size()) << "error " << refusal.error;
        const PromptRequest& shown = prompts.Prompts().back();
        EXPECT_EQ(refusal.text, shown.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), shown.style & MB_ICONMASK);
        EXPECT_EQ(run.Window(), shown.owner);
        EXPECT_FALSE(run.HasEnded()) << "error " << refusal.error;
    }

    // Reachable now (an empty disc): a double click chooses it and closes the dialog.
    network.AnswerProbe(path, ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Alpha"), true));
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(path, dialog.GetSelectedMedia());
}
