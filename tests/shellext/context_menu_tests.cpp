#include "com/com_apartment.h"
#include "folder/shell_folder.h"
#include "folder/shell_folder_mgr.h"
#include "menu/shell_folder_context_menu.h"
#include "ns_result_codes.h"
#include "props/props_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "text/text_format.h"
#include "view/view_commands.h"
#include "view/view_messages.h"

#include "scripted_server.h"
#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "test_shell_browser.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstring>
#include <map>

using Microsoft::WRL::ComPtr;
using namespace view_command;

namespace {

// The open view as the menu sees it: it records the messages it is asked to act on and takes
// them or leaves them to the sender.
class RecordingView final : public ComObject<RecordingView, IShellView> {
public:
    static std::span<const ComInterfaceEntry> InterfaceTable()
    {
        static const ComInterfaceEntry table[] = {ComInterface<RecordingView, IShellView>()};
        return table;
    }

    HRESULT answer = S_OK;
    std::vector<MSG> asked;

    STDMETHODIMP TranslateAccelerator(MSG* message) override
    {
        asked.push_back(*message);
        return answer;
    }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP UIActivate(UINT) override { return E_NOTIMPL; }
    STDMETHODIMP Refresh() override { return E_NOTIMPL; }
    STDMETHODIMP CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP DestroyViewWindow() override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentInfo(LPFOLDERSETTINGS) override { return E_NOTIMPL; }
    STDMETHODIMP AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override { return E_NOTIMPL; }
    STDMETHODIMP SaveViewState() override { return E_NOTIMPL; }
    STDMETHODIMP SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemObject(UINT, REFIID, void**) override { return E_NOTIMPL; }
};

// One host menu entry.
struct Entry {
    UINT id = 0;
    std::string text;
    bool separator = false;
};

std::vector<Entry> EntriesOf(HMENU menu)
{
    std::vector<Entry> entries;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        entries.push_back({info.wID, text, (info.fType & MFT_SEPARATOR) != 0});
    }
    return entries;
}

// The folders Work (user folder, holding Projects) and All Discs (system folder), their
// context menus in a test-owned Explorer window, and the search module scripted in-process.
class ContextMenuTest : public CacheFixture {
protected:
    static constexpr UINT kFirstId = 100;
    static constexpr UINT kLastId = 0x7FFF;

    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);   // an administrator: no first-time question
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        CacheKey("Work").SetDWORDValue("HasSubFolders", 1);
        server_ = MakeComObject<ScriptedServer>();
        SetSearchModuleOverride(static_cast<INotifyNSServer*>(server_.Get()));
        browser_ = MakeComObject<TestShellBrowser>();
        ::SetActiveWindow(browser_->Window());
        view_ = MakeComObject<RecordingView>();
        browser_->activeView = view_;
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    void TearDown() override
    {
        browser_->activeView.Reset();
        SetSearchModuleOverride(nullptr);
    }

    // The namespace root where Explorer shows it, under My Computer; else where the shell
    // cannot find it (a namespace that is not registered).
    ShellFolder& Root(bool placed = true)
    {
        if (!root_) {
            root_ = MakeComObject<ShellFolder>();
            LPITEMIDLIST drives = nullptr;
            if (placed && SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives))) {
                EXPECT_EQ(S_OK, root_->Initialize(drives));
                ::CoTaskMemFree(drives);
            }
        }
        return *root_.Get();
    }

    ScopedPidl Child(const std::string& name, ListItemType type = UserFolder, const std::string& path = "")
    {
        CacheItem item = Folder(name, type);
        item.FolderPath = path;
        return ScopedPidl(pidls_.Create(item, path));
    }

    ComPtr<IContextMenu> MenuOf(ShellFolder& folder, LPCITEMIDLIST child)
    {
        ComPtr<IContextMenu> menu;
        EXPECT_EQ(S_OK, folder.GetUIObjectOf(browser_->Window(), 1, &child, IID_IContextMenu, nullptr, &menu));
        return menu;
    }

    ComPtr<IContextMenu> WorkMenu(bool placed = true)
    {
        return MenuOf(Root(placed), Child("Work").get());
    }

    // The folder Work bound from the root, and the menu of its sub-folder Projects.
    ComPtr<IContextMenu> ProjectsMenu()
    {
        ScopedPidl work = Child("Work");
        ComPtr<IShellFolder> bound;
        EXPECT_EQ(S_OK, Root().BindToObject(work.get(), nullptr, IID_PPV_ARGS(&bound)));
        work_ = static_cast<ShellFolder*>(bound.Get());
        return MenuOf(*work_.Get(), Child("Projects", UserFolder, "Work").get());
    }

    static HRESULT Invoke(IContextMenu& menu, const char* verb, HWND owner = nullptr)
    {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.hwnd = owner;
        info.lpVerb = verb;
        return menu.InvokeCommand(&info);
    }

    static HRESULT InvokeOffset(IContextMenu& menu, UINT offset, HWND owner = nullptr)
    {
        return Invoke(menu, MAKEINTRESOURCEA(offset), owner);
    }

    static UINT OffsetOf(UINT command) { return command - 0x8000; }

    // The host's menu: five items of its own with low ids.
    static HMENU HostMenu()
    {
        HMENU menu = ::CreatePopupMenu();
        for (UINT id = 1; id <= 5; ++id)
            ::AppendMenuA(menu, MF_STRING, id, ("Host " + std::to_string(id)).c_str());
        return menu;
    }

    PidlMgr pidls_;
    ComPtr<ScriptedServer> server_;
    ComPtr<TestShellBrowser> browser_;
    ComPtr<RecordingView> view_;
    ComPtr<ShellFolder> root_;
    ComPtr<ShellFolder> work_;
};

TEST_F(ContextMenuTest, TheFullMenuUsesIdsFromTheHostsFirstIdAndCountsThem)
{
    ComPtr<IContextMenu> menu = WorkMenu();
    ASSERT_TRUE(menu);
    HMENU host = HostMenu();
    const HRESULT added = menu->QueryContextMenu(host, 2, kFirstId, kLastId, CMF_NORMAL);
    ASSERT_TRUE(SUCCEEDED(added));
    const UINT count = HRESULT_CODE(added);

    std::map<UINT, std::string> ours;
    std::vector<UINT> hostIds;
    for (const Entry& entry : EntriesOf(host)) {
        if (entry.separator)
            continue;
        if (entry.id <= 5) {
            hostIds.push_back(entry.id);
            continue;
        }
        EXPECT_GE(entry.id, kFirstId) << entry.text;
        EXPECT_LT(entry.id, kFirstId + count) << entry.text << ": outside the ids reported used";
        ours[entry.id - kFirstId] = entry.text;
    }
    EXPECT_EQ((std::vector<UINT>{1, 2, 3, 4, 5}), hostIds) << "the host's items stay as they were";
    EXPECT_EQ("&Open", ours[OffsetOf(kContextOpen)]);
    EXPECT_EQ("&Explore", ours[OffsetOf(kContextExplore)]);
    EXPECT_EQ("&Delete", ours[OffsetOf(kContextDelete)]);
    EXPECT_EQ("Rena&me", ours[OffsetOf(kContextRename)]);
    EXPECT_EQ("&Paste", ours[OffsetOf(kContextPasteInto)]);
    EXPECT_EQ(0u, ours.count(OffsetOf(kContextMapDisc))) << "a folder is no disc";
    EXPECT_EQ("P&roperties", ours[OffsetOf(kContextProperties)]);
    EXPECT_EQ(kFirstId + OffsetOf(kContextOpen), ::GetMenuDefaultItem(host, FALSE, 0));
    ::DestroyMenu(host);

    // The system folder is neither deleted, renamed nor cut.
    ComPtr<IContextMenu> system = MenuOf(Root(), Child("All Discs", SystemFolder).get());
    host = HostMenu();
    ASSERT_TRUE(SUCCEEDED(system->QueryContextMenu(host, 0, kFirstId, kLastId, CMF_NORMAL)));
    for (const Entry& entry : EntriesOf(host)) {
        EXPECT_NE(kFirstId + OffsetOf(kContextDelete), entry.id);
        EXPECT_NE(kFirstId + OffsetOf(kContextRename), entry.id);
        EXPECT_NE(kFirstId + OffsetOf(kContextCut), entry.id);
    }
    ::DestroyMenu(host);

    // A host with too few ids gets no item whose id would pass its last one.
    host = HostMenu();
    const HRESULT cramped = menu->QueryContextMenu(host, 0, kFirstId, kFirstId + OffsetOf(kContextOpen), CMF_NORMAL);
    ASSERT_TRUE(SUCCEEDED(cramped));
    for (const Entry& entry : EntriesOf(host))
        EXPECT_LE(entry.id, kFirstId + OffsetOf(kContextOpen)) << entry.text;
    EXPECT_LE(HRESULT_CODE(cramped), static_cast<int>(OffsetOf(kContextOpen) + 1));
    ::DestroyMenu(host);
}

TEST_F(ContextMenuTest, TheShortMenuOffersOpenAndExploreOnlyWhenATreeIsShown)
{
    ComPtr<IContextMenu> menu = WorkMenu();
    HMENU host = HostMenu();
    HRESULT added = menu->QueryContextMenu(host, 0, kFirstId, kLastId, CMF_VERBSONLY);
    EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 3), added);
    std::vector<Entry> entries = EntriesOf(host);
    ASSERT_EQ(7u, entries.size());
    EXPECT_EQ(kFirstId + ShellFolderContextMenu::kOpenOffset, entries[0].id);
    EXPECT_EQ("&Open", entries[0].text);
    EXPECT_TRUE(entries[1].separator);
    EXPECT_EQ(1u, entries[2].id);
    EXPECT_EQ(kFirstId + ShellFolderContextMenu::kOpenOffset, ::GetMenuDefaultItem(host, FALSE, 0));
    ::DestroyMenu(host);

    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, browser_->Window(),
                                  nullptr, nullptr, nullptr);
    browser_->treeWindow = tree;
    host = HostMenu();
    added = menu->QueryContextMenu(host, 1, kFirstId, kLastId, CMF_VERBSONLY);
    EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 3), added);
    entries = EntriesOf(host);
    ASSERT_EQ(8u, entries.size());
    EXPECT_EQ(1u, entries[0].id);
    EXPECT_EQ(kFirstId + ShellFolderContextMenu::kExploreOffset, entries[1].id);
    EXPECT_EQ("&Explore", entries[1].text);
    EXPECT_EQ(kFirstId + ShellFolderContextMenu::kOpenOffset, entries[2].id);
    EXPECT_TRUE(entries[3].separator);
    EXPECT_EQ(kFirstId + ShellFolderContextMenu::kExploreOffset, ::GetMenuDefaultItem(host, FALSE, 0));
    ::DestroyMenu(host);
    ::DestroyWindow(tree);
}

TEST_F(ContextMenuTest, ADoubleClickOpensTheFolderWithoutAddingItemsAndSaysWhenItIsNotFound)
{
    // A namespace the shell cannot place: the folder cannot be opened, and the user is told.
    ComPtr<IContextMenu> menu = WorkMenu(false);
    PromptRecorder prompts;
    HMENU host = HostMenu();
    EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0), menu->QueryContextMenu(host, 0, kFirstId, kLastId,
                                                                            CMF_DEFAULTONLY | CMF_EXPLORE));
    EXPECT_EQ(5, ::GetMenuItemCount(host));
    ::DestroyMenu(host);
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT), BrandingText(IDS_BRAND_NAMESPACE_NAME), "Work"),
              prompts.Prompts()[0].text);

    EXPECT_EQ(E_FAIL, InvokeOffset(*menu.Get(), ShellFolderContextMenu::kOpenOffset));
    EXPECT_EQ(2u, prompts.Prompts().size());
}

TEST_F(ContextMenuTest, ClipboardAndDeleteVerbsGoToTheViewWhenItTakesThem)
{
    ComPtr<IContextMenu> menu = ProjectsMenu();
    PromptRecorder prompts(IDYES);
    for (const char* verb : {"delete", "CUT", "Copy", "paste"})
        EXPECT_EQ(S_OK, Invoke(*menu.Get(), verb)) << verb;
    const ViewMessages& ids = ViewMessages::Get();
    ASSERT_EQ(4u, view_->asked.size());
    const UINT expected[] = {ids.deleteItem, ids.cutItem, ids.copyItem, ids.pasteItem};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i], view_->asked[i].message);
        EXPECT_EQ(nullptr, view_->asked[i].hwnd);
        EXPECT_EQ(0u, view_->asked[i].wParam);
        EXPECT_EQ(0, view_->asked[i].lParam);
    }
    EXPECT_TRUE(server_->calls.empty());
    EXPECT_TRUE(prompts.Prompts().empty());
    EXPECT_EQ(E_INVALIDARG, Invoke(*menu.Get(), "format"));

    // A caller that speaks Unicode may give the verb in its wide form only.
    CMINVOKECOMMANDINFOEX wide{};
    wide.cbSize = sizeof wide;
    wide.fMask = CMIC_MASK_UNICODE;
    wide.lpVerbW = L"copy";
    EXPECT_EQ(S_OK, menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&wide)));
    ASSERT_EQ(5u, view_->asked.size());
    EXPECT_EQ(ids.copyItem, view_->asked[4].message);
}

TEST_F(ContextMenuTest, DeleteFallsBackToTheFolderWhenTheViewLeavesIt)
{
    ComPtr<IContextMenu> menu = ProjectsMenu();
    view_->answer = S_FALSE;   // the tree has the focus
    {
        PromptRecorder prompts(IDYES);
        EXPECT_EQ(S_OK, Invoke(*menu.Get(), "Delete"));
        ASSERT_EQ(1u, prompts.Prompts().size());
        EXPECT_EQ(FormatText(CommonText(IDS_ASK_DELETE_FOLDER_FMT), "Projects"), prompts.Prompts()[0].text);
    }
    ASSERT_FALSE(server_->calls.empty());
    EXPECT_EQ("DeleteItem", server_->calls[0].method);
    EXPECT_EQ("Work", server_->calls[0].path);
    EXPECT_EQ("Projects", server_->calls[0].item.Name);

    // The menu's own Delete deletes the folder without asking the view.
    server_->calls.clear();
    view_->asked.clear();
    view_->answer = S_OK;
    PromptRecorder no(IDNO);
    EXPECT_EQ(E_FAIL, InvokeOffset(*menu.Get(), OffsetOf(kContextDelete)));
    EXPECT_EQ(1u, no.Prompts().size()) << "asked, and told no";
    EXPECT_TRUE(view_->asked.empty());
    EXPECT_TRUE(server_->calls.empty());
}

TEST_F(ContextMenuTest, WithoutAViewTheTreesFolderIsCutOrCopiedAndMarkedAndThePasteGoesIntoIt)
{
    const OleApartment ole;   // the clipboard is OLE's
    ComPtr<IContextMenu> menu = ProjectsMenu();
    view_->answer = S_FALSE;   // the tree has the focus
    HWND tree = browser_->ShowTreeWithSelected("Projects");
    const HTREEITEM item = TreeView_GetSelection(tree);

    EXPECT_EQ(S_OK, Invoke(*menu.Get(), "cut"));
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_EQ(static_cast<UINT>(TVIS_CUT), TreeView_GetItemState(tree, item, TVIS_CUT));

    EXPECT_EQ(S_OK, InvokeOffset(*menu.Get(), OffsetOf(kContextCopy)));
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_EQ(0u, TreeView_GetItemState(tree, item, TVIS_CUT)) << "a copy is not drawn as cut";

    // Pasted into Work, where the copied folder lives: the search module is asked for a copy.
    ComPtr<IContextMenu> work = WorkMenu();
    PromptRecorder prompts(IDYES);
    EXPECT_EQ(S_OK, Invoke(*work.Get(), "paste"));
    ASSERT_FALSE(server_->calls.empty());
    EXPECT_EQ("MoveItem", server_->calls.back().method);
    EXPECT_EQ("Projects", server_->calls.back().item.Name);
    ::OleSetClipboard(nullptr);
    ::DestroyWindow(tree);
}

TEST_F(ContextMenuTest, AFolderCutInTheTreeStaysMarkedUntilAPasteMovesIt)
{
    const OleApartment ole;
    MakeFolder("Archive", "Archive", UserFolder);
    ComPtr<IContextMenu> projects = ProjectsMenu();
    view_->answer = S_FALSE;   // the tree has the focus
    HWND tree = browser_->ShowTreeWithSelected("Projects");
    const HTREEITEM item = TreeView_GetSelection(tree);
    ASSERT_EQ(S_OK, Invoke(*projects.Get(), "cut"));

    ComPtr<IContextMenu> archive = MenuOf(Root(), Child("Archive").get());
    {
        PromptRecorder prompts;
        server_->answers = {NSS_S_ACCESS_DENIED};
        EXPECT_EQ(E_FAIL, Invoke(*archive.Get(), "paste"));
        EXPECT_EQ(1u, prompts.Prompts().size());
    }
    EXPECT_EQ(static_cast<UINT>(TVIS_CUT), TreeView_GetItemState(tree, item, TVIS_CUT)) << "nothing moved";
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());

    EXPECT_EQ(S_OK, Invoke(*archive.Get(), "paste"));
    EXPECT_EQ(0u, TreeView_GetItemState(tree, item, TVIS_CUT));
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard());
    ASSERT_EQ(2u, server_->calls.size());
    EXPECT_EQ("Archive", server_->calls[1].path);
    EXPECT_EQ(2, server_->calls[1].operation);
    ::OleSetClipboard(nullptr);
    ::DestroyWindow(tree);
}

TEST_F(ContextMenuTest, ExploreAndOpenBrowseToTheFolderAndRenameEditsTheTreeItem)
{
    ComPtr<IContextMenu> menu = ProjectsMenu();
    EXPECT_EQ(S_OK, InvokeOffset(*menu.Get(), OffsetOf(kContextExplore)));
    EXPECT_EQ(S_OK, InvokeOffset(*menu.Get(), OffsetOf(kContextOpen)));
    EXPECT_EQ((std::vector<UINT>{0x21, 0x12}), browser_->browseFlags);
    ScopedPidl expected = work_->GetAbsolutePidl();
    ScopedPidl projects = Child("Projects", UserFolder, "Work");
    expected.reset(pidls_.Concatenate(expected.get(), projects.get()));
    ASSERT_EQ(2u, browser_->browsedTo.size());
    const UINT size = ::ILGetSize(expected.get());
    ASSERT_EQ(size, ::ILGetSize(browser_->browsedTo[0]));
    EXPECT_EQ(0, std::memcmp(expected.get(), browser_->browsedTo[0], size));

    EXPECT_EQ(E_FAIL, InvokeOffset(*menu.Get(), OffsetOf(kContextRename))) << "no tree to edit in";
    HWND tree = browser_->ShowTreeWithSelected("Projects");
    EXPECT_EQ(S_OK, InvokeOffset(*menu.Get(), OffsetOf(kContextRename)));
    EXPECT_NE(nullptr, TreeView_GetEditControl(tree));
    TreeView_EndEditLabelNow(tree, TRUE);
    ::DestroyWindow(tree);
}

TEST_F(ContextMenuTest, WithoutAShellBrowserOnlyOpenAndExploreAreCarriedOut)
{
    ComPtr<IContextMenu> menu = ProjectsMenu();
    browser_->answerShellBrowserQuestion = false;
    {
        PromptRecorder prompts(IDYES);
        EXPECT_EQ(E_FAIL, Invoke(*menu.Get(), "delete", browser_->Window()));
        EXPECT_EQ(E_FAIL, InvokeOffset(*menu.Get(), OffsetOf(kContextDelete)));
        EXPECT_EQ(E_FAIL, InvokeOffset(*menu.Get(), OffsetOf(kContextExplore)));
        EXPECT_TRUE(view_->asked.empty());
        EXPECT_TRUE(server_->calls.empty());
        EXPECT_TRUE(browser_->browsedTo.empty());
        EXPECT_TRUE(prompts.Prompts().empty());
    }
    // The short menu's two items hand the folder to the shell, which needs no Explorer window
    // (here it cannot find the namespace, and the user hears of it).
    root_.Reset();
    ComPtr<IContextMenu> unplaced = WorkMenu(false);
    PromptRecorder prompts;
    EXPECT_EQ(E_FAIL, InvokeOffset(*unplaced.Get(), ShellFolderContextMenu::kOpenOffset));
    EXPECT_EQ(E_FAIL, InvokeOffset(*unplaced.Get(), ShellFolderContextMenu::kExploreOffset));
    ASSERT_EQ(2u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT), BrandingText(IDS_BRAND_NAMESPACE_NAME), "Work"),
              prompts.Prompts()[1].text);
}

TEST_F(ContextMenuTest, PropertiesShowTheFoldersSheetAsTheCacheHasItWithoutAnExplorerWindow)
{
    ComPtr<IContextMenu> menu = ProjectsMenu();
    browser_->answerShellBrowserQuestion = false;
    CacheKey("Work\\Projects").SetStringValue("Comment", "Plans");
    for (const bool byVerb : {true, false}) {
        ModalDialogRun run([&] {
            return static_cast<INT_PTR>(byVerb ? Invoke(*menu.Get(), "Properties")
                                               : InvokeOffset(*menu.Get(), OffsetOf(kContextProperties)));
        });
        HWND sheet = run.Window();
        HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        EXPECT_EQ("Projects", ItemText(page, IDC_ITEM_NAME)) << byVerb;
        EXPECT_EQ("Plans", ItemText(page, IDC_ITEM_COMMENT)) << byVerb;
        CancelDialog(sheet);
        INT_PTR result = -1;
        ASSERT_TRUE(run.WaitForEnd(result));
        EXPECT_EQ(S_OK, static_cast<HRESULT>(result));
    }
    EXPECT_TRUE(server_->calls.empty()) << "nothing was changed";
}

TEST_F(ContextMenuTest, ATreeFolderRenamedWithBlanksAroundIsKnownAndBrowsedByItsStoredName)
{
    ProjectsMenu();   // binds Work
    ScopedPidl projects = Child("Projects", UserFolder, "Work");
    LPITEMIDLIST renamed = nullptr;
    ASSERT_EQ(S_OK, work_->SetNameOf(browser_->Window(), projects.get(), L"  Plans ", SHGDN_NORMAL, &renamed));
    const ScopedPidl owned(renamed);
    std::string name;
    PidlMgr::GetItemName(renamed, name);
    EXPECT_EQ("Plans", name);
    ASSERT_FALSE(server_->calls.empty());
    EXPECT_EQ("Plans|Projects", server_->calls[0].item.Name);
    TestShellBrowser::PumpMessages();   // the browse waits until the shell's call is over
    ASSERT_EQ(1u, browser_->browsedTo.size());
    name.clear();
    PidlMgr::GetItemName(::ILFindLastID(browser_->browsedTo[0]), name);
    EXPECT_EQ("Plans", name);
}

TEST_F(ContextMenuTest, TheBrowserIsAskedOfTheExplorerWindowNotOfTheOwnersChildWindow)
{
    // To a status bar 0x407 asks for its borders, written through the (null) parameter.
    HWND status = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, browser_->Window(),
                                    nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, status);
    ComPtr<IContextMenu> menu = ProjectsMenu();
    EXPECT_EQ(S_OK, Invoke(*menu.Get(), "copy", status));
    ASSERT_EQ(1u, view_->asked.size());
    EXPECT_EQ(ViewMessages::Get().copyItem, view_->asked[0].message);
    ::DestroyWindow(status);
}

} // namespace
