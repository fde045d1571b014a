#include "browse/browse_for_media_dialog.h"
#include "res/dialog_ids.h"

#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/scripted_network.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND tree, HTREEITEM item)
{
    char text[512] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

UINT OverlayOf(HWND tree, HTREEITEM item)
{
    TVITEMA data{};
    data.mask = TVIF_STATE;
    data.hItem = item;
    data.stateMask = TVIS_OVERLAYMASK;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return (data.state & TVIS_OVERLAYMASK) >> 8;
}

std::vector<HTREEITEM> ChildrenOf(HWND tree, HTREEITEM parent)
{
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        children.push_back(child);
    return children;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    for (HTREEITEM child : ChildrenOf(tree, parent))
        texts.push_back(TextOf(tree, child));
    return texts;
}

// The item whose text starts with the given one, anywhere in the tree.
HTREEITEM FindItem(HWND tree, const std::string& start, HTREEITEM parent = TVI_ROOT)
{
    for (HTREEITEM child : ChildrenOf(tree, parent)) {
        if (TextOf(tree, child).rfind(start, 0) == 0)
            return child;
        if (HTREEITEM found = FindItem(tree, start, child))
            return found;
    }
    return nullptr;
}

// A user's click on an item's label: the pointer moves there, the button goes down and up.
// Returns once the tree has selected the item, which it does after telling its owner.
bool ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick = false)
{
    TreeView_EnsureVisible(tree, item);
    RECT rect{};
    if (!TreeView_GetItemRect(tree, item, &rect, TRUE))
        return false;
    POINT point{rect.left + 3, (rect.top + rect.bottom) / 2};
    POINT screen = point;
    ::ClientToScreen(tree, &screen);
    ::SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(tree, WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        ::PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageA(tree, WM_LBUTTONUP, 0, at);
        return true;
    }
    for (int i = 0; i < 200; ++i) {
        if (TreeView_GetSelection(tree) == item)
            return true;
        ::Sleep(25);
    }
    return false;
}

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
    EXPECT_EQ("Network Storage", TextOf(tree, root));
    EXPECT_EQ((std::vector<std::string>{"All Discs", "Work"}), ChildTexts(tree, root));
    const HTREEITEM work = FindItem(tree, "Work");
    // Folders first, then discs by name whatever their case; the launch object is left out.
    EXPECT_EQ((std::vector<std::string>{"Zoo", "Alpha     :   \\\\SRV\\Alpha", "mid     :   \\\\SRV\\mid",
                                        "zeta     :   \\\\SRV\\zeta"}),
              ChildTexts(tree, work));
    EXPECT_EQ(1u, OverlayOf(tree, FindItem(tree, "Alpha"))) << "a disc in a user folder is a shortcut";
    EXPECT_EQ(0u, OverlayOf(tree, FindItem(tree, "Beta"))) << "the system folder holds the discs themselves";
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
    ASSERT_TRUE(ClickTreeItem(tree, FindItem(tree, "Alpha")));
    ClickItem(run.Window(), IDOK);
    ASSERT_EQ(1u, prompts.Prompts().size()) << "the disc was chosen, and the network does not know it";

    // After the folder no disc is chosen any more: OK closes at once, checking nothing.
    ASSERT_TRUE(ClickTreeItem(tree, FindItem(tree, "Zoo")));
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
    ASSERT_TRUE(ClickTreeItem(tree, FindItem(tree, "Backup: 2024")));
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
    ASSERT_TRUE(ClickTreeItem(tree, FindItem(tree, "Alpha")));

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
    ASSERT_TRUE(ClickTreeItem(tree, FindItem(tree, "Alpha"), true));
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(path, dialog.GetSelectedMedia());
}
