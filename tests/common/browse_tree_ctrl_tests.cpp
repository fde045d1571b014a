#include "browse/browse_tree_ctrl.h"
#include "res/dialog_ids.h"
#include "resources/resources.h"
#include "ui/dialog.h"

#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/tree_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// A dialog holding the tree as the Map Disc dialog does: every click is passed on at once.
class MapDialogHost : public Dialog {
public:
    MapDialogHost() : Dialog(IDD_BROWSE_DISCS, g_hBasaltInstance) {}

    std::vector<std::string> Chosen() const
    {
        std::lock_guard guard(lock_);
        return chosen_;
    }

protected:
    bool OnInitDialog() override
    {
        const RECT rect{10, 10, 400, 250};
        tree_ = std::make_unique<BrowseTreeCtrl>(Window(), rect, IDC_BROWSE_TREE, true, [this](const std::string& path) {
            std::lock_guard guard(lock_);
            chosen_.push_back(path);
        });
        return true;
    }
    bool OnNotify(NMHDR& header, LRESULT& result) override { return tree_ && tree_->HandleNotify(header, result); }
    void OnDestroy() override { tree_.reset(); }

private:
    std::unique_ptr<BrowseTreeCtrl> tree_;
    mutable std::mutex lock_;
    std::vector<std::string> chosen_;
};

class BrowseTreeCtrlTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        Cache edit(CacheEdit, "Work");
        ASSERT_TRUE(edit.AddItem(Disc("\\\\SRV", "Alpha")));
        MakeFolder("Work\\Zoo", "Zoo", UserFolder);
    }
};

} // namespace

TEST_F(BrowseTreeCtrlTest, InsideTheMapDialogEveryClickIsPassedOnAndADoubleClickEndsNothing)
{
    MapDialogHost host;
    ModalDialogRun run([&] { return host.DoModal(nullptr); });
    HWND tree = ::GetDlgItem(run.Window(), IDC_BROWSE_TREE);
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Alpha")));
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Zoo")));
    EXPECT_EQ((std::vector<std::string>{"\\\\SRV\\Alpha", ""}), host.Chosen());

    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Alpha"), true));
    // Once a later click is through, so is the double click before it.
    ASSERT_TRUE(ClickTreeItem(tree, FindTreeItem(tree, "Zoo")));
    EXPECT_FALSE(run.HasEnded()) << "a double click in the Map Disc dialog must not press its OK";
    EXPECT_EQ((std::vector<std::string>{"\\\\SRV\\Alpha", "", "\\\\SRV\\Alpha", ""}), host.Chosen());
    CancelDialog(run.Window());
    INT_PTR result = 0;
    ASSERT_TRUE(run.WaitForEnd(result));
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(BrowseTreeCtrlTest, AFolderWhoseNameLeadsBackToItselfIsShownWithoutRecursing)
{
    // Folders of a damaged cache: a name that is empty, or that names the folder it is in.
    for (const char* key : {"Work\\Nameless", "Work\\Backslash", "Work\\Dot"})
        MakeFolder(key, "", UserFolder);
    CacheKey("Work\\Backslash").SetStringValue("Name", "\\");
    CacheKey("Work\\Dot").SetStringValue("Name", ".");
    const HWND owner = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                         nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    {
        const BrowseTreeCtrl tree(owner, RECT{0, 0, 400, 300}, IDC_BROWSE_TREE, false);
        const HTREEITEM work = FindTreeItem(tree.Window(), "Work");
        ASSERT_NE(nullptr, work);
        std::vector<std::string> texts = TreeChildTexts(tree.Window(), work);
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ((std::vector<std::string>{"", ".", "Alpha     :   \\\\SRV\\Alpha", "Zoo", "\\"}), texts);
        for (const HTREEITEM child : TreeChildren(tree.Window(), work)) {
            const std::string text = TreeItemText(tree.Window(), child);
            if (text != "Zoo" && text.rfind("Alpha", 0) != 0) {
                EXPECT_TRUE(TreeChildren(tree.Window(), child).empty()) << "'" << text << "'";
            }
        }
    }
    ::DestroyWindow(owner);
}
