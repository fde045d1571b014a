// The namespace as Explorer uses it, in a Wine prefix where the suite is installed and the
// search module has searched the simulated network (run_namespace_e2e_tests.sh): the library
// is found through the registry and loaded by the shell, views are made in a test-owned
// Explorer window, and Wine's own Explorer is opened on the namespace.

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "com/com_module.h"
#include "pidl/pidl_mgr.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "text/ansi_text.h"

#include "explorer_driver.h"
#include "module_session.h"
#include "shellext/test_shell_browser.h"
#include "support/branding_loaded.h"
#include "support/prompt_recorder.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}

namespace {

constexpr UINT kNewFolder = 0x4E5;
constexpr UINT kDelete = 0x4E7;
constexpr char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// The discs of the simulated network (tools/demo/network.txt) that the search finds.
const std::set<std::string> kDiscs = {"OFFICE2026", "TRAINING", "BACKUP01", "DRIVERS", "CATALOGUE"};

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

constexpr DWORD kViewTimeoutMs = 10000;
// Wine's Explorer takes a while to start on a loaded machine.
constexpr DWORD kExplorerTimeoutMs = 60000;

// The names in the first column of a list control of this process.
std::vector<std::string> RowsOf(HWND list)
{
    std::vector<std::string> rows;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[260] = {};
        ListView_GetItemText(list, i, 0, text, sizeof text);
        rows.push_back(text);
    }
    return rows;
}

bool Contains(const std::vector<std::string>& rows, const std::string& name)
{
    return std::find(rows.begin(), rows.end(), name) != rows.end();
}

std::string NamespaceClassId() { return BrandingText(IDS_BRAND_NAMESPACE_CLSID); }

// An open view of a folder in a test-owned Explorer window.
struct OpenView {
    ComPtr<TestShellBrowser> browser;
    ComPtr<IShellView> view;
    HWND window = nullptr;
    HWND list = nullptr;

    ~OpenView()
    {
        if (view)
            view->DestroyViewWindow();
    }
};

class NamespaceInExplorerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(branding_.IsLoaded());
        ASSERT_EQ(S_OK, ::SHGetDesktopFolder(&desktop_));
        // The path Explorer's address bar takes: My Computer, then the namespace's class.
        const std::wstring path = Wide(std::string(kMyComputer) + "\\::" + NamespaceClassId());
        ULONG eaten = 0;
        ASSERT_EQ(S_OK, desktop_->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(path.c_str()), &eaten,
                                                   &rootList_, nullptr));
        ASSERT_EQ(S_OK, desktop_->BindToObject(rootList_, nullptr, IID_PPV_ARGS(&root_)));
    }
    void TearDown() override { ::CoTaskMemFree(rootList_); }

    // The child of a folder with that name, as the folder enumerates it (null when there is none).
    static ScopedPidl ChildList(IShellFolder& folder, const std::string& name)
    {
        ComPtr<IEnumIDList> children;
        if (folder.EnumObjects(nullptr, SHCONTF_FOLDERS, &children) != S_OK)
            return nullptr;
        LPITEMIDLIST next = nullptr;
        while (children->Next(1, &next, nullptr) == S_OK) {
            ScopedPidl child(next);
            STRRET display{};
            char text[MAX_PATH] = {};
            if (SUCCEEDED(folder.GetDisplayNameOf(child.get(), SHGDN_INFOLDER, &display)))
                ::StrRetToBufA(&display, child.get(), text, MAX_PATH);
            if (name == text)
                return child;
        }
        return nullptr;
    }

    static ComPtr<IShellFolder> Child(IShellFolder& folder, const std::string& name)
    {
        ComPtr<IShellFolder> found;
        if (const ScopedPidl child = ChildList(folder, name))
            folder.BindToObject(child.get(), nullptr, IID_PPV_ARGS(&found));
        return found;
    }

    // From the desktop to the folder that the names lead to from the namespace root, each found
    // by enumeration; null when one is missing.
    ScopedPidl FolderList(const std::vector<std::string>& names)
    {
        ScopedPidl list(::ILClone(rootList_));
        ComPtr<IShellFolder> folder = root_;
        for (const std::string& name : names) {
            const ScopedPidl child = ChildList(*folder.Get(), name);
            ComPtr<IShellFolder> next;
            if (!child || FAILED(folder->BindToObject(child.get(), nullptr, IID_PPV_ARGS(&next))))
                return nullptr;
            list.reset(::ILCombine(list.get(), child.get()));
            folder = next;
        }
        return list;
    }

    std::unique_ptr<OpenView> Open(IShellFolder& folder)
    {
        auto open = std::make_unique<OpenView>();
        open->browser = MakeComObject<TestShellBrowser>();
        EXPECT_EQ(S_OK, folder.CreateViewObject(nullptr, IID_PPV_ARGS(&open->view)));
        if (!open->view)
            return open;
        FOLDERSETTINGS settings{FVM_DETAILS, 0};
        RECT rect{0, 0, 600, 400};
        EXPECT_EQ(S_OK, open->view->CreateViewWindow(nullptr, &settings, open->browser.Get(), &rect, &open->window));
        open->browser->activeView = open->view;
        open->list = FindDescendant(open->window, WC_LISTVIEWA);
        return open;
    }

    static std::set<std::string> CachedNames(const std::string& path)
    {
        std::set<std::string> names;
        Cache folder(CacheReadFolder, path);
        for (CacheIterator it = folder.Begin(); it != folder.End(); ++it)
            names.insert((*it)->Name);
        return names;
    }

    OleApartment apartment_;
    BrandingLoaded branding_;
    ComPtr<IShellFolder> desktop_;
    LPITEMIDLIST rootList_ = nullptr;
    ComPtr<IShellFolder> root_;
};

TEST_F(NamespaceInExplorerTest, ShowsTheDiscsFoundAndEveryViewFollowsAFolderMadeRenamedAndDeleted)
{
    ComPtr<IShellFolder> allDiscs = Child(*root_.Get(), BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
    ASSERT_TRUE(allDiscs) << "the root lists the folder of all discs";
    auto discs = Open(*allDiscs.Get());
    ASSERT_NE(nullptr, discs->list);
    const std::vector<std::string> rows = RowsOf(discs->list);
    EXPECT_EQ(kDiscs, std::set<std::string>(rows.begin(), rows.end()));

    auto first = Open(*root_.Get());
    auto second = Open(*root_.Get());
    ASSERT_NE(nullptr, first->list);
    ASSERT_NE(nullptr, second->list);

    // A new folder through the first view: the search module makes it and tells both views;
    // the user types its name at once.
    ::SetFocus(first->list);
    ::SendMessageA(first->window, WM_COMMAND, kNewFolder, 0);
    ASSERT_TRUE(PumpUntil([&] { return Contains(RowsOf(second->list), "New Folder"); }, kViewTimeoutMs));
    HWND editor = ListView_GetEditControl(first->list);
    ASSERT_NE(nullptr, editor);
    ::SetWindowTextA(editor, "Projects");
    ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return Contains(RowsOf(second->list), "Projects"); }, kViewTimeoutMs));
    EXPECT_FALSE(Contains(RowsOf(first->list), "New Folder"));
    EXPECT_TRUE(Contains(RowsOf(first->list), "Projects"));
    EXPECT_TRUE(CachedNames("").count("Projects"));
    EXPECT_FALSE(CachedNames("").count("New Folder"));
    // Not a disc view's business.
    EXPECT_FALSE(Contains(RowsOf(discs->list), "Projects"));

    // Deleted through the second view, after the user's yes.
    const std::vector<std::string> secondRows = RowsOf(second->list);
    const auto at = std::find(secondRows.begin(), secondRows.end(), "Projects") - secondRows.begin();
    ::SetFocus(second->list);
    ListView_SetItemState(second->list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(second->list, static_cast<int>(at), LVIS_SELECTED, LVIS_SELECTED);
    {
        PromptRecorder yes(IDYES);
        ::SendMessageA(second->window, WM_COMMAND, kDelete, 0);
        EXPECT_EQ(1u, yes.Prompts().size());
    }
    ASSERT_TRUE(PumpUntil([&] { return !Contains(RowsOf(first->list), "Projects"); }, kViewTimeoutMs));
    EXPECT_FALSE(Contains(RowsOf(second->list), "Projects"));
    EXPECT_FALSE(CachedNames("").count("Projects"));
}

// Where the screenshots go: the build folder's, or the one the run names.
std::string ScreenshotFolder()
{
    char folder[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("SUITE_SCREENSHOTS", folder, MAX_PATH) == 0)
        return JoinPath(DirectoryOf(ModuleFileName(nullptr)), "screenshots");
    return folder;
}

TEST_F(NamespaceInExplorerTest, WinesExplorerShowsTheNamespaceAndBrowsesIntoTheDiscs)
{
    ExplorerProcess explorer("/e,C:\\");
    ASSERT_NE(0u, explorer.Id());
    HWND frame = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (frame = explorer.Frame()) != nullptr; }, kExplorerTimeoutMs));
    // The namespace's path typed into the address box, as a user would.
    ASSERT_TRUE(explorer.GoTo(std::string(kMyComputer) + "\\::" + NamespaceClassId()));
    HWND list = nullptr;
    const std::string folder = ScreenshotFolder();
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const bool shown = PumpUntil([&] {
        list = frame ? OurListIn(frame) : nullptr;
        return list && RemoteList(list).Rows().size() == 1;
    }, kExplorerTimeoutMs);
    if (frame)
        SaveScreenshot(frame, folder + "\\explorer-root.bmp");
    ASSERT_TRUE(shown) << "Explorer shows our view of the root: frame " << frame << ", list " << list << ", view "
                 << (frame ? FindDescendant(frame, "ShellvueViewWindow") : nullptr) << ", any frame "
                 << ::FindWindowA("ExplorerWClass", nullptr);
    EXPECT_EQ(std::vector<std::string>{BrandingText(IDS_BRAND_ALL_DISCS_FOLDER)}, RemoteList(list).Rows());

    // The folder of all discs selected, Return opens it in this window.
    ASSERT_TRUE(RemoteList(list).Select(0));
    ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    std::vector<std::string> rows;
    ASSERT_TRUE(PumpUntil([&] {
        HWND current = OurListIn(frame);
        rows = current ? RemoteList(current).Rows() : std::vector<std::string>();
        return rows.size() == kDiscs.size();
    }, 30000)) << "the view of all discs replaces the root's";
    EXPECT_EQ(kDiscs, std::set<std::string>(rows.begin(), rows.end()));

    EXPECT_TRUE(SaveScreenshot(frame, folder + "\\explorer-all-discs.bmp"));
}

// Folders of the user's own, made through the search module as the views make them: Field
// Work, in it Spring Survey, in that the disc TRAINING. They go again with the object.
class UserFolders {
public:
    UserFolders() : module_(CreateSearchModule())
    {
        made_ = module_ && Create("Field Work", UserFolder, "") && Create("Spring Survey", UserFolder, "Field Work") &&
                Create("TRAINING", CdRomDisc, "Field Work\\Spring Survey", "\\\\TESSARO1");
    }
    ~UserFolders()
    {
        if (module_)
            module_->DeleteItem(0, L"", ItemRecord("Field Work", UserFolder).Get());
    }
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;

    bool Made() const { return made_; }

private:
    bool Create(const std::string& name, ListItemType type, const std::string& path, const std::string& location = "")
    {
        return module_->CreateItem(0, WideFromAnsi(path).c_str(), ItemRecord(name, type, path, location).Get()) == S_OK;
    }

    ComPtr<INotifyNSServer> module_;
    bool made_ = false;
};

// The labels of the tree's items from the desktop down to a folder: the name each one has in
// its parent, as the tree asks the shell for it.
std::vector<std::string> TreeLabels(LPCITEMIDLIST folder)
{
    std::vector<std::string> labels;
    ScopedPidl list(::ILClone(folder));
    do {
        PWSTR name = nullptr;
        const bool named = SUCCEEDED(::SHGetNameFromIDList(list.get(), SIGDN_NORMALDISPLAY, &name));
        labels.insert(labels.begin(), named ? AnsiFromWide(name) : "");
        ::CoTaskMemFree(name);
    } while (::ILRemoveLastID(list.get()));
    return labels;
}

// Whether the Explorer window comes to show our view with exactly these rows.
bool ShowsRows(HWND frame, const std::set<std::string>& expected, std::set<std::string>& shown)
{
    return PumpUntil([&] {
        HWND list = OurListIn(frame);
        const std::vector<std::string> rows = list ? RemoteList(list).Rows() : std::vector<std::string>();
        shown = std::set<std::string>(rows.begin(), rows.end());
        return shown == expected;
    }, kExplorerTimeoutMs);
}

TEST_F(NamespaceInExplorerTest, WinesExplorerReachesEveryFolderThroughItsTreeAndItsAddressBox)
{
    const UserFolders folders;
    ASSERT_TRUE(folders.Made());
    const ScopedPidl allDiscs = FolderList({BrandingText(IDS_BRAND_ALL_DISCS_FOLDER)});
    const ScopedPidl fieldWork = FolderList({"Field Work"});
    const ScopedPidl springSurvey = FolderList({"Field Work", "Spring Survey"});
    ASSERT_TRUE(allDiscs && fieldWork && springSurvey);

    ExplorerProcess explorer("/e,C:\\");
    HWND frame = nullptr;
    HWND treeWindow = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        frame = explorer.Frame();
        return frame && (treeWindow = FindDescendant(frame, WC_TREEVIEWA)) != nullptr;
    }, kExplorerTimeoutMs));
    const RemoteTree tree(treeWindow);

    // The namespace under My Computer expands to its folders.
    HTREEITEM root = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (root = tree.Find(TreeLabels(rootList_))) != nullptr; }, kExplorerTimeoutMs))
        << "the tree shows the namespace under My Computer";
    EXPECT_TRUE(tree.HasButton(root));
    ASSERT_TRUE(tree.Expand(root)) << "expanding the namespace finds its folders";
    const std::vector<std::string> rootLabels = tree.ChildLabels(root);
    EXPECT_EQ((std::set<std::string>{TreeLabels(allDiscs.get()).back(), TreeLabels(fieldWork.get()).back()}),
              std::set<std::string>(rootLabels.begin(), rootLabels.end()));

    // A folder selected in the tree is shown on the right.
    std::set<std::string> shown;
    HTREEITEM discsItem = tree.Find(TreeLabels(allDiscs.get()));
    ASSERT_NE(nullptr, discsItem);
    EXPECT_FALSE(tree.HasButton(discsItem)) << "the folder of all discs holds discs only";
    ASSERT_TRUE(tree.Select(discsItem));
    EXPECT_TRUE(ShowsRows(frame, kDiscs, shown)) << ::testing::PrintToString(shown);

    HTREEITEM fieldItem = tree.Find(TreeLabels(fieldWork.get()));
    ASSERT_NE(nullptr, fieldItem);
    EXPECT_TRUE(tree.HasButton(fieldItem));
    ASSERT_TRUE(tree.Select(fieldItem));
    EXPECT_TRUE(ShowsRows(frame, {"Spring Survey"}, shown)) << ::testing::PrintToString(shown);
    ASSERT_TRUE(tree.Expand(fieldItem));
    EXPECT_EQ(std::vector<std::string>{TreeLabels(springSurvey.get()).back()}, tree.ChildLabels(fieldItem));

    // An address typed with a sub-folder, its names in another case than the folders'.
    ASSERT_TRUE(explorer.GoTo(std::string(kMyComputer) + "\\::" + NamespaceClassId() + "\\field work\\SPRING SURVEY"));
    EXPECT_TRUE(ShowsRows(frame, {"TRAINING"}, shown)) << ::testing::PrintToString(shown);

    const std::string screenshots = ScreenshotFolder();
    ::CreateDirectoryA(screenshots.c_str(), nullptr);
    EXPECT_TRUE(SaveScreenshot(frame, screenshots + "\\explorer-tree.bmp"));
}

} // namespace
