#include "com/com_apartment.h"
#include "folder/shell_folder.h"
#include "folder/shell_folder_mgr.h"
#include "list/view_list_ctrl.h"
#include "ns_result_codes.h"
#include "list/disc_relocation_ids.h"
#include "props/props_ids.h"
#include "res/dialog_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "transfer/data_object.h"
#include "text/text_format.h"
#include "view/shell_view.h"
#include "view/view_commands.h"
#include "view/view_menus.h"
#include "view/view_messages.h"

#include "scripted_server.h"
#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/prompt_recorder.h"
#include "support/scripted_network.h"
#include "test_shell_browser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <future>
#include <commctrl.h>

using Microsoft::WRL::ComPtr;

namespace {

// The folder Work of a registry cache (a sub-folder, a disc and a launch object), its view in
// a test-owned Explorer window, and the search module scripted in the test process.
class ShellViewTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);   // an administrator: no first-time question
        MakeFolder("Work\\Projects", "Projects", UserFolder);
        MakeFolder("Work\\Manuals", "Manuals", CdRomDisc);
        CacheKey("Work\\Manuals").SetStringValue("Location", "\\\\ATLAS");
        MakeFolder("Work\\Tool", "Tool", LaunchObject);
        MakeFolder("Work\\Specials", "Specials", MappedFolder);
        server_ = MakeComObject<ScriptedServer>();
        SetSearchModuleOverride(static_cast<INotifyNSServer*>(server_.Get()));
        root_ = MakeComObject<ShellFolder>();
        // Explorer tells the root where it is; here it hangs under My Computer.
        LPITEMIDLIST drives = nullptr;
        ASSERT_EQ(S_OK, ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives));
        ASSERT_EQ(S_OK, root_->Initialize(drives));
        ::CoTaskMemFree(drives);
        browser_ = MakeComObject<TestShellBrowser>();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    void TearDown() override
    {
        if (view_)
            view_->DestroyViewWindow();
        view_.Reset();
        SetSearchModuleOverride(nullptr);
    }

    // The folder at a path below the root (its parents user folders).
    ComPtr<ShellFolder> FolderAt(const std::string& path, ListItemType type)
    {
        ScopedPidl child;
        std::string parent;
        for (std::string rest = path; !rest.empty();) {
            const std::string name = rest.substr(0, rest.find('\\'));
            rest = name.size() < rest.size() ? rest.substr(name.size() + 1) : std::string();
            CacheItem item = Folder(name, rest.empty() ? type : UserFolder);
            ScopedPidl level(pidls_.Create(item, parent));
            child.reset(child ? pidls_.Concatenate(child.get(), level.get()) : level.release());
            parent = parent.empty() ? name : parent + "\\" + name;
        }
        ComPtr<IShellFolder> folder;
        EXPECT_EQ(S_OK, root_->BindToObject(child.get(), nullptr, IID_PPV_ARGS(&folder)));
        return static_cast<ShellFolder*>(folder.Get());
    }

    // The view of a folder, created in the test browser; the result of CreateViewWindow.
    HRESULT OpenView(const std::string& name = "Work", ListItemType type = UserFolder, UINT viewMode = FVM_DETAILS)
    {
        folder_ = FolderAt(name, type);
        ComPtr<IShellView> view;
        EXPECT_EQ(S_OK, folder_->CreateViewObject(nullptr, IID_PPV_ARGS(&view)));
        view_ = static_cast<ShellView*>(view.Get());
        FOLDERSETTINGS settings{viewMode, 0};
        RECT rect{0, 0, 600, 400};
        window_ = reinterpret_cast<HWND>(1);
        const HRESULT created = view_->CreateViewWindow(nullptr, &settings, browser_.Get(), &rect, &window_);
        browser_->activeView = view_;
        return created;
    }

    // The root's own view, created in the test browser.
    void OpenRootView()
    {
        ComPtr<IShellView> rootView;
        ASSERT_EQ(S_OK, root_->CreateViewObject(nullptr, IID_PPV_ARGS(&rootView)));
        view_ = static_cast<ShellView*>(rootView.Get());
        FOLDERSETTINGS settings{FVM_DETAILS, 0};
        RECT rect{0, 0, 600, 400};
        ASSERT_EQ(S_OK, view_->CreateViewWindow(nullptr, &settings, browser_.Get(), &rect, &window_));
    }

    ShellViewListCtrl& List() { return *view_->List(); }

    std::vector<std::string> RowNames()
    {
        std::vector<std::string> names;
        for (size_t i = 0; i < List().RowCount(); ++i)
            names.push_back(List().Row(i).item.Name);
        return names;
    }

    void Select(const std::vector<std::string>& names)
    {
        HWND list = List().Window();
        ::SetFocus(list);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        for (size_t i = 0; i < List().RowCount(); ++i) {
            if (std::find(names.begin(), names.end(), List().Row(i).item.Name) != names.end())
                ListView_SetItemState(list, static_cast<int>(i), LVIS_SELECTED, LVIS_SELECTED);
        }
    }

    void Command(UINT id) { ::SendMessageA(window_, WM_COMMAND, id, 0); }

    // A property sheet that the view shows modally on this thread, handled by another thread as
    // the user would: act gets the sheet once it is shown. The sheet's title, empty when none
    // was shown.
    static constexpr int kSheetTabs = 0x3020;
    static std::future<std::string> HandleSheet(std::function<void(HWND sheet)> act)
    {
        return std::async(std::launch::async, [act = std::move(act), viewThread = ::GetCurrentThreadId()] {
            HWND sheet = WaitForDialogWithItem(viewThread, kSheetTabs, nullptr, 10000);
            if (!sheet)
                return std::string();
            const std::string title = WindowText(sheet);
            act(sheet);
            return title;
        });
    }

    // The search module makes the items it is asked to make and answers S_OK for.
    void MakeCreatedItems()
    {
        server_->effect = [this](const ScriptedServer::Call& call) {
            if (call.method == "CreateItem" && (server_->answers.empty() || server_->answers.front() == S_OK))
                Cache(CacheEdit, call.path).AddItem(call.item);
        };
    }

    // Types a new name for a row in place, as the user does.
    void RenameInPlace(const std::string& row, const std::string& name)
    {
        Select({row});
        List().StartRename();
        HWND editor = List().LabelEditor();
        ASSERT_NE(nullptr, editor);
        ::SetWindowTextA(editor, name.c_str());
        ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    }

    // The answer of a registered message as the tree's context menu asks it: no window, no
    // parameters.
    HRESULT Ask(UINT message)
    {
        MSG query{};
        query.message = message;
        return view_->TranslateAccelerator(&query);
    }

    // Explorer's threads are in an apartment before any view is made.
    OleApartment apartment_;
    PidlMgr pidls_;
    ComPtr<ScriptedServer> server_;
    ComPtr<ShellFolder> root_;
    ComPtr<ShellFolder> folder_;
    ComPtr<TestShellBrowser> browser_;
    ComPtr<ShellView> view_;
    HWND window_ = nullptr;
};

TEST_F(ShellViewTest, ShowsTheFolderSortedAndRegistersForItsChanges)
{
    ASSERT_EQ(S_OK, OpenView());
    ASSERT_NE(nullptr, window_);
    EXPECT_TRUE(::IsWindow(window_));
    EXPECT_EQ((std::vector<std::string>{"Projects", "Specials", "Manuals", "Tool"}), RowNames())
        << "folders first by kind, then discs, then launch objects";
    ASSERT_EQ(1u, server_->clients.size());
    EXPECT_EQ("Work", server_->clients[0].path);
    ASSERT_FALSE(browser_->statusTexts.empty());
    EXPECT_EQ(FormatText(CommonText(IDS_STATUS_OBJECT_COUNT_FMT), 4), browser_->statusTexts.back());
    EXPECT_EQ(4u + 2u, browser_->toolbarButtons.size());
    EXPECT_EQ(std::vector<UINT>{view_command::kToolbarDetails}, browser_->checkedButtons);

    ASSERT_EQ(S_OK, view_->DestroyViewWindow());
    EXPECT_TRUE(server_->clients.empty());
    EXPECT_FALSE(::IsWindow(window_));
}

TEST_F(ShellViewTest, AHostThatIsNoExplorerWindowGetsAnEmptyViewWithoutToolbar)
{
    browser_->answerActiveView = false;
    ASSERT_EQ(S_OK, OpenView());
    EXPECT_EQ(0u, List().RowCount());
    EXPECT_FALSE(browser_->Called("SetToolbarItems"));
    EXPECT_EQ(5, List().ColumnCount()) << "the In Folder column is shown";
}

TEST_F(ShellViewTest, AHostWithoutMenusToolbarOrStatusBarStillShowsTheFolder)
{
    browser_->answerMenusAndBars = false;
    browser_->hasViewState = false;
    ASSERT_EQ(S_OK, OpenView());
    EXPECT_EQ(4u, List().RowCount());
    EXPECT_EQ(S_OK, view_->UIActivate(SVUIA_ACTIVATE_FOCUS));
    EXPECT_EQ(S_OK, view_->UIActivate(SVUIA_DEACTIVATE));
    EXPECT_EQ(S_OK, view_->SaveViewState());
}

TEST_F(ShellViewTest, AFolderThatNoLongerExistsGivesThePathNotFoundBoxAndNoView)
{
    PromptRecorder prompts;
    EXPECT_EQ(E_FAIL, OpenView("Gone"));
    EXPECT_EQ(nullptr, window_);
    EXPECT_TRUE(server_->clients.empty()) << "no registration is left behind";
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT), BrandingText(IDS_BRAND_NAMESPACE_NAME), "Gone"),
              prompts.Prompts()[0].text);
}

TEST_F(ShellViewTest, ViewModesOutsideTheFourShowDetails)
{
    for (const UINT mode : {0u, 5u, 8u}) {
        ASSERT_EQ(S_OK, OpenView("Work", UserFolder, mode));
        FOLDERSETTINGS current{};
        ASSERT_EQ(S_OK, view_->GetCurrentInfo(&current));
        EXPECT_EQ(static_cast<UINT>(FVM_DETAILS), current.ViewMode);
        view_->DestroyViewWindow();
        view_.Reset();
    }
    ASSERT_EQ(S_OK, OpenView("Work", UserFolder, FVM_LIST));
    EXPECT_EQ(3, List().ViewMode());
}

TEST_F(ShellViewTest, TheColumnLayoutIsKeptInTheViewStateAndForeignStatesAreIgnored)
{
    CLSID folderClass{};
    ASSERT_TRUE(ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, folderClass));
    ViewState stored;
    stored.sortColumn = 1;
    stored.ascending = false;
    stored.widths = {0, 300, 50, 80};
    const auto bytes = stored.Serialize(folderClass);
    browser_->viewState.assign(bytes.begin(), bytes.end());
    ASSERT_EQ(S_OK, OpenView());
    EXPECT_EQ(120, ListView_GetColumnWidth(List().Window(), 0)) << "a stored width of 0 is the default";
    EXPECT_EQ(300, ListView_GetColumnWidth(List().Window(), 1));
    EXPECT_EQ(ViewColumn::Type, List().Layout().sortColumn == 1 ? ViewColumn::Type : ViewColumn::Name);
    EXPECT_FALSE(List().Layout().ascending);

    ASSERT_EQ(S_OK, view_->SaveViewState());
    const auto saved = ViewState::Parse(browser_->SavedViewState().data(), browser_->SavedViewState().size(),
                                        folderClass, List().ColumnCount());
    ASSERT_TRUE(saved);
    EXPECT_EQ(1, saved->sortColumn);
    EXPECT_FALSE(saved->ascending);
    EXPECT_EQ(300, saved->widths[1]);
    view_->DestroyViewWindow();
    view_.Reset();

    // Another folder class's record: the defaults.
    CLSID other = folderClass;
    other.Data1 ^= 1;
    const auto foreign = stored.Serialize(other);
    browser_->viewState.assign(foreign.begin(), foreign.end());
    ASSERT_EQ(S_OK, OpenView());
    EXPECT_EQ(120, ListView_GetColumnWidth(List().Window(), 1));
    EXPECT_EQ(0, List().Layout().sortColumn);
    EXPECT_TRUE(List().Layout().ascending);
}

TEST_F(ShellViewTest, NewFoldersAreNamedUntilANameIsFreeAndOnlyAMadeFolderIsShown)
{
    ASSERT_EQ(S_OK, OpenView());
    MakeCreatedItems();
    server_->answers = {NSS_S_NAME_EXISTS, NSS_S_NAME_EXISTS, S_OK};
    Command(view_command::kNewFolder);
    ASSERT_EQ(4u, server_->calls.size());
    EXPECT_EQ("New Folder", server_->calls[0].item.Name);
    EXPECT_EQ("New Folder (2)", server_->calls[1].item.Name);
    EXPECT_EQ("New Folder (3)", server_->calls[2].item.Name);
    EXPECT_EQ("Work", server_->calls[2].path);
    EXPECT_EQ(UserFolder, server_->calls[2].item.ItemType);
    const auto names = RowNames();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "New Folder (3)"));
    EXPECT_NE(nullptr, List().LabelEditor()) << "the user types the name at once";
    // Work had no sub-folder before: it gets the mark.
    EXPECT_EQ("UpdateItem", server_->calls[3].method);
    EXPECT_EQ("Work", server_->calls[3].item.Name);
    EXPECT_EQ(1, server_->calls[3].item.HasSubFolders);

    server_->calls.clear();
    server_->answers = {NSS_S_ACCESS_DENIED};
    const size_t rows = List().RowCount();
    auto settings = HandleSheet([](HWND sheet) { PressSheetButton(sheet, PSBTN_OK); });
    Command(view_command::kNewAutoMapFolder);
    settings.get();
    ASSERT_EQ(1u, server_->calls.size());
    EXPECT_EQ("New AutoMap Folder", server_->calls[0].item.Name);
    EXPECT_EQ(rows, List().RowCount()) << "a denied folder is no folder";
}

TEST_F(ShellViewTest, AFolderMadeHereIsListedOnceWithTheModulesRecordWhicheverComesFirst)
{
    ASSERT_EQ(S_OK, OpenView());
    MakeCreatedItems();
    const auto rowsNamed = [this](const std::string& name) {
        std::vector<CacheItem> found;
        for (size_t i = 0; i < List().RowCount(); ++i) {
            if (List().Row(i).item.Name == name)
                found.push_back(List().Row(i).item);
        }
        return found;
    };
    const auto endRename = [this] {
        if (HWND editor = List().LabelEditor())
            ::SendMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
    };

    // The module's news after the view listed the folder itself.
    Command(view_command::kNewFolder);
    endRename();
    ASSERT_EQ(1u, rowsNamed("New Folder").size());
    CacheItem news = rowsNamed("New Folder")[0];
    news.Comment = "as the module stored it";
    server_->AddToClients(news);
    ASSERT_EQ(1u, rowsNamed("New Folder").size());
    EXPECT_EQ("as the module stored it", rowsNamed("New Folder")[0].Comment);
    // Further news of it is a second item of the same name, refused.
    news.Comment = "a second item";
    server_->AddToClients(news);
    ASSERT_EQ(1u, rowsNamed("New Folder").size());
    EXPECT_EQ("as the module stored it", rowsNamed("New Folder")[0].Comment);

    // The module's news during the call, before the view lists the folder.
    server_->answers = {NSS_S_NAME_EXISTS, S_OK};
    server_->effect = [this](const ScriptedServer::Call& call) {
        if (call.method != "CreateItem" || call.item.Name != "New Folder (2)")
            return;
        Cache(CacheEdit, call.path).AddItem(call.item);
        CacheItem early = call.item;
        early.Comment = "told first";
        server_->AddToClients(early);
    };
    Command(view_command::kNewFolder);
    endRename();
    ASSERT_EQ(1u, rowsNamed("New Folder (2)").size());
    EXPECT_EQ("told first", rowsNamed("New Folder (2)")[0].Comment);
}

TEST_F(ShellViewTest, NoFolderIsMadeInsideASystemOrAutoMapFolder)
{
    UpdateServer("\\\\ATLAS", {Disc("\\\\ATLAS", "MAPS")});
    ASSERT_EQ(S_OK, OpenView("All Discs", SystemFolder));
    EXPECT_EQ(std::vector<std::string>{"MAPS"}, RowNames());
    PromptRecorder prompts;
    Command(view_command::kNewFolder);
    Command(view_command::kNewLaunchObject);
    view_->DestroyViewWindow();
    view_.Reset();
    ASSERT_EQ(S_OK, OpenView("Work\\Specials", MappedFolder));
    Command(view_command::kNewFolder);
    Command(view_command::kNewAutoMapFolder);
    Command(view_command::kNewLaunchObject);
    EXPECT_TRUE(server_->calls.empty());
    ASSERT_EQ(2u, prompts.Prompts().size()) << "a launch object is refused with a word";
    for (const PromptRequest& prompt : prompts.Prompts())
        EXPECT_EQ(CommonText(IDS_ERR_LAUNCH_OBJECT_NOT_ALLOWED), prompt.text);
}

TEST_F(ShellViewTest, SearchesThatAreBusyTellTheUserWhichOne)
{
    ASSERT_EQ(S_OK, OpenView());
    PromptRecorder prompts;
    server_->answers = {NSS_S_USER_FULL_BUSY, NSS_S_AUTO_FULL_BUSY, NSS_S_USER_QUICK_BUSY, NSS_S_USER_FULL_BUSY,
                        NSS_S_AUTO_QUICK_BUSY};
    Command(view_command::kQuickSearch);
    Command(view_command::kQuickSearch);
    Command(view_command::kQuickSearch);
    Command(view_command::kFullSearch);
    Command(view_command::kFullSearch);
    ASSERT_EQ(4u, prompts.Prompts().size());
    EXPECT_EQ(CommonText(IDS_BUSY_USER_FULL_SEARCH), prompts.Prompts()[0].text);
    EXPECT_EQ(CommonText(IDS_BUSY_AUTO_FULL_SEARCH), prompts.Prompts()[1].text);
    EXPECT_EQ(CommonText(IDS_BUSY_USER_QUICK_SEARCH), prompts.Prompts()[2].text);
    EXPECT_EQ(CommonText(IDS_BUSY_USER_FULL_SEARCH), prompts.Prompts()[3].text);
    EXPECT_EQ((std::vector<std::string>{"Refresh", "Refresh", "Refresh", "Rescan", "Rescan"}), server_->Methods());
    EXPECT_EQ(server_->clients[0].id, server_->calls[0].client);
}

TEST_F(ShellViewTest, CommandsThatNeedTheSearchModuleSayWhenItCannotBeReached)
{
    const auto unreachable = MakeComObject<UnreachableSearchModule>();
    SetSearchModuleOverride(unreachable.Get());
    ASSERT_EQ(S_OK, OpenView());   // without a connection the view still shows the folder
    const std::string message = CommonText(IDS_ERR_SEARCH_MODULE_UNREACHABLE);
    {
        PromptRecorder prompts;
        Command(view_command::kNewFolder);
        Command(view_command::kQuickSearch);
        Command(view_command::kFullSearch);
        Select({"Manuals"});
        Command(view_command::kContextAddToFavorites);
        RenameInPlace("Projects", "Plans");
        ASSERT_EQ(5u, prompts.Prompts().size());
        for (const PromptRequest& prompt : prompts.Prompts())
            EXPECT_EQ(message, prompt.text);
    }
    view_->DestroyViewWindow();
    view_.Reset();

    // Connected, but the module has ended since: its calls fail as a lost connection does.
    SetSearchModuleOverride(static_cast<INotifyNSServer*>(server_.Get()));
    ASSERT_EQ(S_OK, OpenView());
    constexpr HRESULT kGone = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
    server_->answers = {kGone, kGone, RPC_E_DISCONNECTED, E_FAIL};
    PromptRecorder prompts;
    Command(view_command::kNewFolder);
    Command(view_command::kQuickSearch);
    Command(view_command::kFullSearch);
    RenameInPlace("Projects", "Plans");
    EXPECT_EQ((std::vector<std::string>{"CreateItem", "Refresh", "Rescan", "UpdateItem"}), server_->Methods());
    ASSERT_EQ(3u, prompts.Prompts().size()) << "a refusal is no lost connection";
    for (const PromptRequest& prompt : prompts.Prompts())
        EXPECT_EQ(message, prompt.text);
}

TEST_F(ShellViewTest, LaunchObjectsAreExecutedNeverBrowsed)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Tool"});
    Command(view_command::kOpen);
    Command(view_command::kExplore);
    Command(view_command::kContextOpen);
    TestShellBrowser::PumpMessages();
    ASSERT_EQ((std::vector<std::string>{"ExecuteLaunchObject", "ExecuteLaunchObject", "ExecuteLaunchObject"}),
              server_->Methods());
    EXPECT_EQ("Work\\Tool", server_->calls[0].path);
    EXPECT_FALSE(browser_->Called("BrowseObject"));
}

TEST_F(ShellViewTest, OpeningAFolderBrowsesThisWindowAfterTheCommand)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Projects"});
    Command(view_command::kOpen);
    EXPECT_FALSE(browser_->Called("BrowseObject")) << "never inside the list's own message";
    TestShellBrowser::PumpMessages();
    ASSERT_EQ(1u, browser_->browsedTo.size());
    std::string name;
    PidlMgr::GetItemName(::ILFindLastID(browser_->browsedTo[0]), name);
    EXPECT_EQ("Projects", name);
}

TEST_F(ShellViewTest, OpeningADiscThatCannotBeReachedSaysWhyInsteadOfOpeningIt)
{
    ASSERT_EQ(S_OK, OpenView());
    ScriptedNetwork network;
    PromptRecorder prompts;
    Select({"Manuals"});
    const std::string path = "\\\\ATLAS\\Manuals";
    const struct {
        DWORD error;
        std::string text;
    } refusals[] = {
        {ERROR_ACCESS_DENIED, path + " is not accessible.\n\n Network access is denied."},
        {ERROR_INVALID_PASSWORD, path + " is not accessible.\n\n Network access is denied."},
        {ERROR_BAD_NETPATH, path + "\n\nThe network path was not found."},
        {ERROR_LOGON_FAILURE, "Cannot connect to disc. Error: 1326"},
    };
    for (const auto& refusal : refusals) {
        network.AnswerProbe(path, refusal.error);
        const size_t before = prompts.Prompts().size();
        Command(view_command::kOpen);
        ASSERT_EQ(before + 1, prompts.Prompts().size()) << "error " << refusal.error;
        EXPECT_EQ(refusal.text, prompts.Prompts().back().text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), prompts.Prompts().back().style & MB_ICONMASK);
    }
}

TEST_F(ShellViewTest, DiscsOfTheUsersFoldersAreMappedAndOpenedByTheSearchModule)
{
    ASSERT_EQ(S_OK, OpenView());
    ScriptedNetwork network;
    network.AnswerProbe("\\\\ATLAS\\Manuals", NO_ERROR);
    Select({"Manuals"});
    Command(view_command::kOpen);
    Command(view_command::kContextQuickMap);
    TestShellBrowser::PumpMessages();
    ASSERT_EQ((std::vector<std::string>{"AutoMapMedia", "AutoMapMedia"}), server_->Methods());
    EXPECT_EQ("Work\\Manuals", server_->calls[0].path);
    EXPECT_EQ("Work\\Manuals", server_->calls[1].path);
}

TEST_F(ShellViewTest, ADiscMovedToAnotherServerIsFoundAndTakesItsPlaceForOnceOrForGood)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "Manuals"), Disc("\\\\TOWER", "Maps")});
    UpdateServer("\\\\VAULT", {Disc("\\\\VAULT", "Manuals", JazDisc)});
    CacheKey("Work\\Manuals").SetDWORDValue("AutoMapping", 1);
    ScriptedNetwork network;   // \\ATLAS\Manuals is not found any more
    // Found at its new place, the disc is checked again there (and here refused, so that no
    // Explorer is started).
    network.AnswerProbe("\\\\TOWER\\Manuals", ERROR_ACCESS_DENIED);
    const std::string refused = FormatText(CommonText(IDS_ERR_NETWORK_ACCESS_DENIED_FMT), "\\\\TOWER\\Manuals");
    PromptRecorder prompts;
    ASSERT_EQ(S_OK, OpenView());
    MakeCreatedItems();
    const DWORD viewThread = ::GetCurrentThreadId();
    // The dialog is modal inside the command: another thread answers it and says what it offered.
    const auto answer = [viewThread](int button, bool keep) {
        return std::async(std::launch::async, [=] {
            HWND dialog = WaitForDialogWithItem(viewThread, IDC_RELOCATION_DISCS);
            if (!dialog)
                return std::vector<std::string>{};
            std::vector<std::string> offered;
            const LRESULT count = ::SendDlgItemMessageA(dialog, IDC_RELOCATION_DISCS, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                char text[260] = {};
                ::SendDlgItemMessageA(dialog, IDC_RELOCATION_DISCS, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                      reinterpret_cast<LPARAM>(text));
                offered.push_back(text);
            }
            SetItemChecked(dialog, IDC_RELOCATION_KEEP, keep);
            if (button == IDOK)
                ClickItem(dialog, IDOK);
            else
                CancelDialog(dialog);
            return offered;
        });
    };
    const auto location = [this] {
        for (size_t i = 0; i < List().RowCount(); ++i) {
            if (List().Row(i).item.Name == "Manuals")
                return List().Row(i).item.Location;
        }
        return std::string();
    };

    Select({"Manuals"});
    auto offered = answer(IDCANCEL, false);
    Command(view_command::kOpen);
    EXPECT_EQ(std::vector<std::string>{"\\\\TOWER\\Manuals"}, offered.get()) << "same name and type only";
    EXPECT_TRUE(prompts.Prompts().empty()) << "cancelled";
    EXPECT_EQ("\\\\ATLAS", location());

    offered = answer(IDOK, false);
    Command(view_command::kOpen);
    offered.get();
    TestShellBrowser::PumpMessages();
    ASSERT_FALSE(prompts.Prompts().empty());
    EXPECT_EQ(refused, prompts.Prompts().back().text);
    EXPECT_EQ("\\\\TOWER", location()) << "the row shows where the disc is now";
    EXPECT_TRUE(server_->calls.empty()) << "the stored item stays for this once";

    // For good: a view that lists the stored item again, whose replacement keeps its settings.
    view_->DestroyViewWindow();
    view_.Reset();
    ASSERT_EQ(S_OK, OpenView());
    Select({"Manuals"});
    offered = answer(IDOK, true);
    Command(view_command::kOpen);
    offered.get();
    ASSERT_EQ((std::vector<std::string>{"CreateItem", "DeleteItem"}), server_->Methods()) << "made before the old goes";
    EXPECT_EQ("\\\\TOWER", server_->calls[0].item.Location);
    EXPECT_EQ("\\\\ATLAS", server_->calls[1].item.Location);
    CacheItem replacement = Disc("\\\\TOWER", "Manuals");
    replacement.FolderPath = "Work";
    replacement.GetMoreData();
    EXPECT_EQ(1, replacement.AutoMapping);
    EXPECT_EQ(refused, prompts.Prompts().back().text);
}

TEST_F(ShellViewTest, MapDiscOpensTheDialogForTheSelectedDiscOrStandalone)
{
    ASSERT_EQ(S_OK, OpenView());
    ScriptedNetwork network;
    Select({"Manuals"});
    // The dialog is modal inside the command: another thread reads it and closes it.
    const DWORD viewThread = ::GetCurrentThreadId();
    const auto readAndCancel = [viewThread] {
        HWND dialog = WaitForDialogWithItem(viewThread, IDC_MAP_PATH_TEXT);
        if (!dialog)
            return std::string("no dialog");
        const std::string shown = IsItemVisible(dialog, IDC_MAP_PATH_TEXT) ? ItemText(dialog, IDC_MAP_PATH_TEXT)
                                                                            : "edit:" + ItemText(dialog, IDC_MAP_PATH_EDIT);
        CancelDialog(dialog);
        return shown;
    };
    auto forDisc = std::async(std::launch::async, readAndCancel);
    Command(view_command::kContextMapDisc);
    EXPECT_EQ("\\\\ATLAS\\Manuals", forDisc.get());

    auto standalone = std::async(std::launch::async, readAndCancel);
    Command(view_command::kMapDisc);
    EXPECT_EQ("edit:", standalone.get()) << "with no disc the path is typed or picked in the tree";
    EXPECT_TRUE(network.ConnectCalls().empty());
}

TEST_F(ShellViewTest, AnItemAlreadyListedIsNotAddedTwiceAndTheSelectionStays)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Manuals"});
    CacheItem again = Disc("\\\\ATLAS", "manuals");
    server_->AddToClients(again);
    EXPECT_EQ(4u, List().RowCount());
    server_->AddToClients(Disc("\\\\ATLAS", "Atlas"));
    ASSERT_EQ(5u, List().RowCount());
    ASSERT_EQ(1u, List().SelectedRows().size());
    EXPECT_EQ("Manuals", List().Row(List().SelectedRows()[0]).item.Name);
}

TEST_F(ShellViewTest, QueriesOfTheTreeAreAnsweredAndThoseNeedingTheFocusWaitForIt)
{
    ASSERT_EQ(S_OK, OpenView());
    const ViewMessages& ids = ViewMessages::Get();
    ::SetFocus(browser_->Window());   // the tree has the focus
    TestShellBrowser::PumpMessages();
    EXPECT_EQ(4, Ask(ids.itemCount));
    EXPECT_EQ(7, Ask(ids.selectedType));
    EXPECT_EQ(7, Ask(ids.selectedParentType));
    EXPECT_EQ(S_FALSE, Ask(ids.openSelected));

    Select({"Manuals"});
    TestShellBrowser::PumpMessages();
    EXPECT_EQ(CdRomDisc, Ask(ids.selectedType));
    EXPECT_EQ(UserFolder, Ask(ids.selectedParentType));
    EXPECT_EQ(1, Ask(ids.selectedCount));
}

TEST_F(ShellViewTest, DeletingSeveralItemsAsksOnceAndDeletesEachThoughTheRowsChange)
{
    ASSERT_EQ(S_OK, OpenView());
    // The search module calls the views back inside the call, as the real one does.
    server_->effect = [this](const ScriptedServer::Call& call) {
        if (call.method != "DeleteItem")
            return;
        CacheKey(call.path).DeleteKey(call.item.Name);
        CacheItem gone(call.item);
        if (gone.InitStruct())
            view_->RemoveItem(gone.Record);
    };
    Select({"Manuals", "Tool"});
    PromptRecorder prompts(IDYES);
    Command(view_command::kDelete);
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(FormatText(CommonText(IDS_ASK_DELETE_ITEMS_FMT), 2), prompts.Prompts()[0].text);
    ASSERT_EQ((std::vector<std::string>{"DeleteItem", "DeleteItem"}), server_->Methods());
    EXPECT_EQ("Manuals", server_->calls[0].item.Name);
    EXPECT_EQ("Tool", server_->calls[1].item.Name);
    EXPECT_EQ((std::vector<std::string>{"Projects", "Specials"}), RowNames());
}

TEST_F(ShellViewTest, DeleteAndRenameWithoutTheListsFocusActOnTheTreesFolder)
{
    MakeFolder("Work\\Projects\\Plans", "Plans", UserFolder);
    ASSERT_EQ(S_OK, OpenView("Work\\Projects"));
    Select({"Plans"});
    ::SetFocus(browser_->Window());   // the tree has the focus
    {
        PromptRecorder prompts(IDYES);
        Command(view_command::kDelete);
        ASSERT_EQ(1u, prompts.Prompts().size());
        EXPECT_EQ(FormatText(CommonText(IDS_ASK_DELETE_FOLDER_FMT), "Projects"), prompts.Prompts()[0].text);
    }
    ASSERT_EQ(std::vector<std::string>{"DeleteItem"}, server_->Methods()) << "not the selected row";
    EXPECT_EQ("Work\\Projects", server_->calls[0].path + "\\" + server_->calls[0].item.Name);
    TestShellBrowser::PumpMessages();
    ASSERT_EQ(1u, browser_->browsedTo.size()) << "the window goes to the folder that held it";
    std::string name;
    PidlMgr::GetItemName(::ILFindLastID(browser_->browsedTo[0]), name);
    EXPECT_EQ("Work", name);

    HWND tree = browser_->ShowTreeWithSelected("Projects");
    ::SetFocus(tree);
    Command(view_command::kRename);
    EXPECT_NE(nullptr, TreeView_GetEditControl(tree)) << "the tree's folder is renamed there";
    EXPECT_EQ(nullptr, List().LabelEditor());
    TreeView_EndEditLabelNow(tree, TRUE);
    ::DestroyWindow(tree);
}

TEST_F(ShellViewTest, RenameInPlaceKeepsTheNewNameOnlyWhenTheSearchModuleRenamed)
{
    ASSERT_EQ(S_OK, OpenView());
    server_->effect = [this](const ScriptedServer::Call& call) {
        if (call.method != "UpdateItem" || !server_->answers.empty())
            return;
        // A rename reaches the views as the old row going and the new one coming.
        const std::string newName = call.item.Name.substr(0, call.item.Name.find('|'));
        CacheItem old(call.item);
        old.Name = call.item.Name.substr(call.item.Name.find('|') + 1);
        CacheItem renamed(call.item);
        renamed.Name = renamed.OriginalName = newName;
        if (old.InitStruct() && renamed.InitStruct()) {
            view_->RemoveItem(old.Record);
            view_->AddItem(renamed.Record);
        }
    };
    auto renameTo = [&](const std::string& row, const std::string& name) {
        RenameInPlace(row, name);
        TestShellBrowser::PumpMessages();
    };
    PromptRecorder prompts;
    server_->answers = {NSS_S_NOT_UPDATED};
    renameTo("Projects", "Plans");
    EXPECT_EQ((std::vector<std::string>{"Projects", "Specials", "Manuals", "Tool"}), RowNames());

    renameTo("Projects", "Archive");
    EXPECT_EQ((std::vector<std::string>{"Archive", "Specials", "Manuals", "Tool"}), RowNames());
    ASSERT_EQ(2u, server_->calls.size());
    EXPECT_EQ("Archive|Projects", server_->calls[1].item.Name);
    EXPECT_EQ(server_->clients[0].id, server_->calls[1].client);

    renameTo("Archive", "a:b");
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ(CommonText(IDS_ERR_NAME_BAD_CHARS), prompts.Prompts()[0].text);
}

TEST_F(ShellViewTest, BackspaceAndDeleteWhileALabelIsEditedGoToTheEditor)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Projects"});
    List().StartRename();
    HWND editor = List().LabelEditor();
    ASSERT_NE(nullptr, editor);
    ::SetWindowTextA(editor, "Plans");
    // As Explorer's message loop offers a key to the view before dispatching it.
    auto press = [&](UINT key, int caret) {
        ::SendMessageA(editor, EM_SETSEL, caret, caret);
        MSG message{};
        message.hwnd = editor;
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = MAKELPARAM(1, ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        EXPECT_EQ(S_OK, view_->TranslateAccelerator(&message)) << key;
        TestShellBrowser::PumpMessages();
    };
    press(VK_BACK, 5);
    press(VK_DELETE, 0);
    char text[32] = {};
    ::GetWindowTextA(editor, text, sizeof text);
    EXPECT_STREQ("lan", text);
    EXPECT_TRUE(server_->calls.empty()) << "no item is deleted";
    EXPECT_EQ(4u, List().RowCount());
    ListView_CancelEditLabel(List().Window());
}

TEST_F(ShellViewTest, PropertiesShowTheSheetOfTheSelection)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Manuals"});
    auto title = HandleSheet(CancelDialog);
    Command(view_command::kProperties);
    EXPECT_NE(std::string::npos, title.get().find("Manuals"));

    Select({"Manuals"});
    TestShellBrowser::PumpMessages();
    title = HandleSheet(CancelDialog);
    Ask(ViewMessages::Get().propertiesOfSelected);
    EXPECT_NE(std::string::npos, title.get().find("Manuals")) << "asked by the tree's menu";

    // Several items share one sheet of what they have in common.
    Select({"Manuals", "Projects"});
    std::string type;
    title = HandleSheet([&type](HWND sheet) {
        type = ItemText(reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), IDC_ITEM_TYPE);
        CancelDialog(sheet);
    });
    Command(view_command::kContextProperties);
    EXPECT_NE(std::string::npos, title.get().find(FormatText(CommonText(IDS_STATUS_SELECTED_COUNT_FMT), 2)));
    EXPECT_EQ(CommonText(IDS_MULTIPLE_TYPES), type);

    // A launch object has a sheet of its own: its General page edits what it starts.
    Select({"Tool"});
    bool launchObjectPage = false;
    title = HandleSheet([&launchObjectPage](HWND sheet) {
        HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        launchObjectPage = ::GetDlgItem(page, IDC_LO_TARGET_FILE) != nullptr;
        CancelDialog(sheet);
    });
    Command(view_command::kContextProperties);
    EXPECT_NE(std::string::npos, title.get().find("Tool"));
    EXPECT_TRUE(launchObjectPage);
}

TEST_F(ShellViewTest, NewLaunchObjectRunsTheWizardAndTheMadeObjectIsListed)
{
    ASSERT_EQ(S_OK, OpenView());
    MakeCreatedItems();
    auto wizard = HandleSheet([](HWND sheet) {
        HWND general = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        TypeIntoItem(general, IDC_LO_NAME, "Viewer");
        TypeIntoItem(general, IDC_LO_TARGET_FILE, "C:\\tools\\viewer.exe");
        PressSheetButton(sheet, PSBTN_NEXT);
        PressSheetButton(sheet, PSBTN_NEXT);
        PressSheetButton(sheet, PSBTN_FINISH);
    });
    Command(view_command::kNewLaunchObject);
    EXPECT_NE(std::string::npos, wizard.get().find(FormatText(CommonText(IDS_LO_WIZARD_TITLE_FMT), CommonText(IDS_LO_PAGE_GENERAL))));
    ASSERT_EQ(1u, server_->calls.size());
    EXPECT_EQ("CreateItem", server_->calls[0].method);
    EXPECT_EQ("Work", server_->calls[0].path);
    EXPECT_EQ(LaunchObject, server_->calls[0].item.ItemType);
    const auto names = RowNames();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Viewer"));
    std::string target;
    EXPECT_TRUE(CacheKey("Work\\Viewer").TryQueryStringValue("TargetFile", target));
    EXPECT_EQ("C:\\tools\\viewer.exe", target);

    // Cancel makes nothing.
    wizard = HandleSheet(CancelDialog);
    Command(view_command::kNewLaunchObject);
    EXPECT_FALSE(wizard.get().empty());
    EXPECT_EQ(1u, server_->calls.size());
}

TEST_F(ShellViewTest, NewAutoMapFolderAsksForItsSettingsFirstAndCancelMakesNothing)
{
    ASSERT_EQ(S_OK, OpenView());
    MakeCreatedItems();
    const size_t rows = List().RowCount();
    auto title = HandleSheet(CancelDialog);
    Command(view_command::kNewAutoMapFolder);
    EXPECT_NE(std::string::npos, title.get().find("New AutoMap Folder"));
    EXPECT_TRUE(server_->calls.empty());
    EXPECT_EQ(rows, List().RowCount());

    title = HandleSheet([](HWND sheet) {
        HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SetItemChecked(page, IDC_AUTOMAP_FREE_LETTER, true);
        NotifyCommand(page, IDC_AUTOMAP_FREE_LETTER, BN_CLICKED);
        PressSheetButton(sheet, PSBTN_OK);
    });
    Command(view_command::kNewAutoMapFolder);
    title.get();
    ASSERT_FALSE(server_->calls.empty());
    EXPECT_EQ("CreateItem", server_->calls[0].method);
    EXPECT_EQ(MappedFolder, server_->calls[0].item.ItemType);
    unsigned long autoMapping = 0;
    EXPECT_TRUE(CacheKey("Work\\New AutoMap Folder").TryQueryDWORDValue("AutoMapping", autoMapping));
    EXPECT_EQ(1u, autoMapping) << "made with the settings chosen";
}

TEST_F(ShellViewTest, MenusAreMergedAndFollowTheSelection)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Manuals", "Tool"});
    ASSERT_EQ(S_OK, view_->UIActivate(SVUIA_ACTIVATE_FOCUS));
    ASSERT_NE(nullptr, browser_->sharedMenu);
    HMENU file = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(browser_->sharedMenu); ++i) {
        if (::GetMenuItemID(browser_->sharedMenu, i) == static_cast<UINT>(-1) &&
            ::GetSubMenu(browser_->sharedMenu, i) && !file)
            file = ::GetSubMenu(browser_->sharedMenu, i);
    }
    ASSERT_NE(nullptr, file);
    ComPtr<IOleCommandTarget> target;
    EXPECT_EQ(E_NOINTERFACE, view_->QueryInterface(IID_PPV_ARGS(&target)));
    EXPECT_FALSE(::GetMenuState(file, view_command::kDelete, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(file, view_command::kRename, MF_BYCOMMAND) & MF_GRAYED) << "two items cannot be renamed";
    EXPECT_EQ(static_cast<UINT>(view_command::kOpen), ::GetMenuDefaultItem(file, FALSE, 0));
    EXPECT_FALSE(::GetMenuState(file, view_command::kProperties, MF_BYCOMMAND) & MF_GRAYED)
        << "what the two have in common";
    EXPECT_EQ(S_OK, view_->UIActivate(SVUIA_DEACTIVATE));
    EXPECT_TRUE(browser_->Called("RemoveMenusSB"));
}

TEST_F(ShellViewTest, ItemsDroppedOnTheViewGoIntoItsFolder)
{
    MakeFolder("Archive", "Archive", UserFolder);
    MakeFolder("Archive\\Plans", "Plans", UserFolder);
    ASSERT_EQ(S_OK, OpenView());
    ComPtr<IDropTarget> fromView;
    ASSERT_EQ(S_OK, view_->QueryInterface(IID_PPV_ARGS(&fromView)));
    ComPtr<IDropTarget> fromFolder;
    ASSERT_EQ(S_OK, folder_->CreateViewObject(nullptr, IID_PPV_ARGS(&fromFolder)));
    CacheItem plans = Folder("Plans");
    plans.FolderPath = "Archive";
    for (IDropTarget* target : {fromView.Get(), fromFolder.Get()}) {
        server_->calls.clear();
        const auto data = MakeComObject<DataObject>("Archive", nullptr, std::vector<CacheItem>{plans});
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(S_OK, target->DragEnter(data.Get(), 0, POINTL{0, 0}, &effect));
        ASSERT_EQ(S_OK, target->Drop(data.Get(), 0, POINTL{0, 0}, &effect));
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);
        ASSERT_EQ(1u, server_->calls.size());
        EXPECT_EQ("MoveItem", server_->calls[0].method);
        EXPECT_EQ("Work", server_->calls[0].path);
        EXPECT_EQ("Plans", server_->calls[0].item.Name);
    }
}

TEST_F(ShellViewTest, PublicFoldersAtTheRootShowTheSharedOverlayForTheAdministrator)
{
    MakeFolder("Shared", "Shared", UserFolder);
    CacheKey("Shared").SetDWORDValue("PublicFolder", 1);
    ASSERT_EQ(S_OK, OpenView("Shared", UserFolder));   // any view, for its parent's rows below
    view_->DestroyViewWindow();
    view_.Reset();
    // The root's own view: the shared folder carries the overlay, the others none.
    OpenRootView();
    for (size_t i = 0; i < List().RowCount(); ++i) {
        EXPECT_EQ(List().Row(i).item.Name == "Shared", List().Row(i).shared) << List().Row(i).item.Name;
        LVITEMA item{};
        item.mask = LVIF_STATE;
        item.iItem = static_cast<int>(i);
        item.stateMask = LVIS_OVERLAYMASK;
        ListView_GetItem(List().Window(), &item);
        EXPECT_EQ(List().Row(i).shared ? INDEXTOOVERLAYMASK(1) : 0u, item.state & LVIS_OVERLAYMASK);
    }
}

TEST_F(ShellViewTest, RefreshingPublicFoldersImportsTheChosenOnesIntoTheRootsList)
{
    SetKind(0);   // a client, past the first-time question
    RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
    user.SetDWORDValue("Initialized Client User", 1);
    user.CreateKey("Public Folders").SetStringValue("Team", "");
    TempDirectory data;
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Global Data Location", data.Path());
    const std::string team = std::string("[HKEY_CURRENT_USER\\") + kProductKey + "\\Cache\\Team]\r\n";
    ASSERT_TRUE(WriteWholeFile(data.File("Team.pfr"), team + "\"Name\"=\"Team\"\r\n\"OriginalName\"=\"Team\"\r\n"
                                                             "\"ItemType\"=dword:b\r\n\"HasSubFolders\"=dword:0\r\n"));
    ASSERT_TRUE(WriteWholeFile(data.File("datafile.txt"), "[Team]\r\nFile=" + data.File("Team.pfr") + "\r\n"));
    OpenRootView();
    const std::vector<std::string> before = RowNames();
    ASSERT_EQ(0, std::count(before.begin(), before.end(), "Team"));

    Command(view_command::kRefreshPublicFolders);
    const std::vector<std::string> after = RowNames();
    EXPECT_EQ(1, std::count(after.begin(), after.end(), "Team"));
}

TEST_F(ShellViewTest, CommandsOfTheSettingsProgramSayWhenItIsNotInstalled)
{
    ASSERT_EQ(S_OK, OpenView());
    PromptRecorder prompts;
    for (UINT command : {view_command::kSettings, view_command::kAbout, view_command::kFindDiscs, view_command::kPublicFolderSettings})
        Command(command);
    ASSERT_EQ(4u, prompts.Prompts().size());
    for (const PromptRequest& prompt : prompts.Prompts()) {
        EXPECT_EQ(FormatText(CommonText(IDS_ERR_SETTINGS_PROGRAM_MISSING_FMT), "Halvo"), prompt.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), prompt.style & MB_ICONMASK);
    }
    SetKind(691);   // neither administrator nor client: public folder settings have nothing to show
    Command(view_command::kPublicFolderSettings);
    EXPECT_EQ(4u, prompts.Prompts().size());
}

TEST_F(ShellViewTest, ALaunchObjectKeepsOneImageOfItsOwnThroughUpdatesAndRefreshes)
{
    CacheKey("Work\\Tool").SetStringValue("IconFile", "shell32.dll");
    CacheKey("Work\\Tool").SetDWORDValue("IconIndex", 3);
    ASSERT_EQ(S_OK, OpenView());
    // The launch object's row (the last); the worker reads its icons and posts them to the view.
    auto toolRow = [&]() -> const ViewRow& { return List().Row(3); };
    const int typeImage = toolRow().image;
    auto ownImageArrives = [&] {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 10000;) {
            TestShellBrowser::PumpMessages(10);
            if (toolRow().image != typeImage)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(ownImageArrives());
    const int ownImage = toolRow().image;
    const HIMAGELIST small = ListView_GetImageList(List().Window(), LVSIL_SMALL);
    const HIMAGELIST large = ListView_GetImageList(List().Window(), LVSIL_NORMAL);
    const int images = ::ImageList_GetImageCount(small);

    CacheItem tool(toolRow().item);
    ASSERT_TRUE(tool.InitStruct());
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(S_OK, view_->UpdateItem(tool.Record));
        ASSERT_TRUE(ownImageArrives());
        ASSERT_EQ(S_OK, view_->Refresh());
        ASSERT_TRUE(ownImageArrives());
    }
    // A launch object that goes leaves its image to the next one that comes.
    ASSERT_EQ(S_OK, view_->RemoveItem(tool.Record));
    tool.Name = tool.OriginalName = "Other Tool";
    ASSERT_TRUE(tool.InitStruct());
    ASSERT_EQ(S_OK, view_->AddItem(tool.Record));
    ASSERT_TRUE(ownImageArrives());
    EXPECT_EQ("Other Tool", toolRow().item.Name);
    EXPECT_EQ(ownImage, toolRow().image);
    EXPECT_EQ(images, ::ImageList_GetImageCount(small));
    EXPECT_EQ(images, ::ImageList_GetImageCount(large));
}

TEST_F(ShellViewTest, TheDiscsStayListedWhileASearchRunsAndAreReadAgainWhenItIsDone)
{
    UpdateServer("\\\\ATLAS", {Disc("\\\\ATLAS", "MAPS"), Disc("\\\\ATLAS", "ROADS")});
    ASSERT_EQ(S_OK, OpenView("All Discs", SystemFolder));
    Command(view_command::kFullSearch);
    EXPECT_EQ((std::vector<std::string>{"MAPS", "ROADS"}), RowNames()) << "only what changes is sent";
    // The search found one disc gone and one new: the module sends the new one only.
    UpdateServer("\\\\ATLAS", {Disc("\\\\ATLAS", "MAPS"), Disc("\\\\ATLAS", "TOWNS")});
    server_->AddToClients(Disc("\\\\ATLAS", "TOWNS"));
    ASSERT_EQ(S_OK, view_->SearchDone());
    EXPECT_EQ((std::vector<std::string>{"MAPS", "TOWNS"}), RowNames());
}

// The clipboard and drag and drop of the view's list, on the real OLE clipboard and through the
// real DoDragDrop.
class ViewTransferTest : public ShellViewTest {
protected:
    void TearDown() override
    {
        if (otherView_)
            otherView_->DestroyViewWindow();
        otherView_.Reset();
        ShellViewTest::TearDown();
        ::OleSetClipboard(nullptr);
        AuxiliaryFunctions::SetClipboardCutFlag(false);
    }

    int RowOf(const std::string& name)
    {
        for (size_t i = 0; i < List().RowCount(); ++i) {
            if (List().Row(i).item.Name == name)
                return static_cast<int>(i);
        }
        return -1;
    }

    bool ShownCut(const std::string& name)
    {
        ::UpdateWindow(List().Window());
        return (ListView_GetItemState(List().Window(), RowOf(name), LVIS_CUT) & LVIS_CUT) != 0;
    }

    HRESULT Key(WPARAM key, bool control)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        const BYTE before = keys[VK_CONTROL];
        keys[VK_CONTROL] = control ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG message{List().Window(), WM_KEYDOWN, key, 0, 0, {}};
        const HRESULT handled = view_->TranslateAccelerator(&message);
        keys[VK_CONTROL] = before;
        ::SetKeyboardState(keys);
        return handled;
    }

    // A second Explorer window, beside the first, showing the folder at path.
    ShellViewListCtrl& OpenOtherView(const std::string& path)
    {
        otherBrowser_ = MakeComObject<TestShellBrowser>();
        ::SetWindowPos(otherBrowser_->Window(), HWND_TOP, 700, 0, 500, 400, SWP_SHOWWINDOW);
        otherFolder_ = FolderAt(path, UserFolder);
        ComPtr<IShellView> view;
        EXPECT_EQ(S_OK, otherFolder_->CreateViewObject(nullptr, IID_PPV_ARGS(&view)));
        otherView_ = static_cast<ShellView*>(view.Get());
        FOLDERSETTINGS settings{FVM_DETAILS, 0};
        RECT rect{0, 0, 480, 360};
        HWND window = nullptr;
        EXPECT_EQ(S_OK, otherView_->CreateViewWindow(nullptr, &settings, otherBrowser_.Get(), &rect, &window));
        otherBrowser_->activeView = otherView_;
        return *otherView_->List();
    }

    ComPtr<TestShellBrowser> otherBrowser_;
    ComPtr<ShellFolder> otherFolder_;
    ComPtr<ShellView> otherView_;
};

TEST_F(ViewTransferTest, CutItemsAreDimmedUntilEscapeCancelsTheCut)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Manuals"});
    TestShellBrowser::PumpMessages();
    ASSERT_EQ(S_OK, Key('X', true));
    EXPECT_TRUE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_TRUE(ShownCut("Manuals"));
    EXPECT_FALSE(ShownCut("Tool"));

    ASSERT_EQ(S_OK, Key(VK_ESCAPE, false));
    EXPECT_FALSE(ShownCut("Manuals"));
    EXPECT_FALSE(ShellFolderMgr().CheckValidNSClipboard());
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
}

TEST_F(ViewTransferTest, PasteIsOfferedOnlyWhenTheClipboardHoldsItemsTheFolderTakes)
{
    MakeFolder("Work\\Imported", "Imported", PublicUserFolder);
    ::OleSetClipboard(nullptr);
    const auto pasteGrayed = [this] {
        ComPtr<IOleCommandTarget> ignored;
        view_->QueryInterface(IID_PPV_ARGS(&ignored));   // the menus' state is brought up to date
        for (int i = 0; i < ::GetMenuItemCount(browser_->sharedMenu); ++i) {
            const HMENU sub = ::GetSubMenu(browser_->sharedMenu, i);
            const UINT state = sub ? ::GetMenuState(sub, view_command::kPaste, MF_BYCOMMAND) : static_cast<UINT>(-1);
            if (state != static_cast<UINT>(-1))
                return (state & MF_GRAYED) != 0;
        }
        ADD_FAILURE() << "no Paste in the menus";
        return false;
    };
    ASSERT_EQ(S_OK, OpenView());
    ASSERT_EQ(S_OK, view_->UIActivate(SVUIA_ACTIVATE_FOCUS));
    EXPECT_TRUE(pasteGrayed()) << "an empty clipboard";
    Select({"Manuals"});
    Command(view_command::kCopy);
    EXPECT_FALSE(pasteGrayed());
    view_->DestroyViewWindow();
    view_.Reset();

    ASSERT_EQ(S_OK, OpenView("Work\\Imported", PublicUserFolder));
    ASSERT_EQ(S_OK, view_->UIActivate(SVUIA_ACTIVATE_FOCUS));
    EXPECT_TRUE(pasteGrayed()) << "a client's public folder takes nothing";
}

TEST_F(ViewTransferTest, ItemsCopiedInOneViewArePastedIntoAnotherAsCopies)
{
    ASSERT_EQ(S_OK, OpenView());
    Select({"Manuals", "Tool"});
    TestShellBrowser::PumpMessages();
    Command(view_command::kCopy);
    ShellViewListCtrl& projects = OpenOtherView("Work\\Projects");
    ::SetFocus(projects.Window());
    projects.OnCommand(view_command::kPaste);
    ASSERT_EQ((std::vector<std::string>{"MoveItem", "MoveItem"}), server_->Methods());
    for (const auto& call : server_->calls) {
        EXPECT_EQ("Work\\Projects", call.path);
        EXPECT_EQ(1, call.operation);
    }
}

TEST_F(ViewTransferTest, ADragFromOneViewDropsIntoTheFolderOfTheOtherThroughDoDragDrop)
{
    ASSERT_EQ(S_OK, OpenView());
    ShellViewListCtrl& projects = OpenOtherView("Work\\Projects");
    Select({"Manuals"});
    TestShellBrowser::PumpMessages();
    // Headless, no button is held: the drop happens where the pointer is.
    RECT target{};
    ::GetWindowRect(projects.Window(), &target);
    ASSERT_TRUE(::SetCursorPos((target.left + target.right) / 2, (target.top + target.bottom) / 2));
    TestShellBrowser::PumpMessages();
    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = List().Window();
    begin.hdr.idFrom = ShellViewListCtrl::kControlId;
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = RowOf("Manuals");
    ::SendMessageA(window_, WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
    ASSERT_EQ(std::vector<std::string>{"MoveItem"}, server_->Methods());
    EXPECT_EQ("Work\\Projects", server_->calls[0].path);
    EXPECT_EQ("Manuals", server_->calls[0].item.Name);
    EXPECT_EQ(2, server_->calls[0].operation) << "between folders without Ctrl: a move";

    // A client's public folder is not dragged anywhere, as it is not cut.
    MakeFolder("Work\\Imported", "Imported", PublicUserFolder);
    List().Fill();
    List().ApplyRows();
    Select({"Imported"});
    TestShellBrowser::PumpMessages();
    begin.iItem = RowOf("Imported");
    ::SendMessageA(window_, WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
    EXPECT_EQ(1u, server_->calls.size());
}

TEST(ViewToolbarTest, ButtonsShowTheirMenuTextsAsTips)
{
    BrandingLoaded branding;
    EXPECT_EQ("Large Icons", ViewMenus::ToolbarTip(view_command::kToolbarLargeIcons));
    EXPECT_EQ("Details", ViewMenus::ToolbarTip(view_command::kToolbarDetails));
    EXPECT_EQ(Cache::RemoveCharacters(BrandingText(IDS_BRAND_HELP_COMMAND), "&"),
              ViewMenus::ToolbarTip(view_command::kHelp));
    EXPECT_EQ("", ViewMenus::ToolbarTip(view_command::kOpen));
}

} // namespace
