// The Find dialog driven as a user drives it, with the namespace's own view from Shellvue.dll
// created through its class factory, the search module recorded in-process and every message
// box answered by script.

#include "dialwise_app.h"
#include "find/find_media_dlg.h"
#include "help_routing.h"
#include "recording_search_module.h"
#include "res/dialwise_ids.h"
#include "settings/auxiliary.h"
#include "settings_sheet_driver.h"

#include "com/com_apartment.h"
#include "support/cache_fixture.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/scripted_prompts.h"
#include "support/shellvue_class_registration.h"
#include "support/tree_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <set>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK FindListView(HWND child, LPARAM found)
{
    char name[32] = {};
    ::GetClassNameA(child, name, sizeof name);
    if (std::string(name) != WC_LISTVIEWA)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

class FindDialogTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(kServerInstallation);
        MakeFolder("Work\\Sub", "Sub", UserFolder);
        Add("Work", Disc("SRV1", "My CD 1"));
        Add("Work", Disc("SRV1", "CD-ROM 2"));
        Add("Work", Disc("SRV2", "Manuals"));
        Add("Work\\Sub", Disc("SRV2", "Old CD"));
        SetHelpTopicLauncher([this](int topic) { helpTopics.push_back(topic); });
    }
    void TearDown() override { SetHelpTopicLauncher(nullptr); }

    static void Add(const std::string& folder, const CacheItem& item)
    {
        Cache edit(CacheEdit, folder);
        ASSERT_TRUE(edit.AddItem(item)) << item.Name;
    }

    void AddTenThousandDiscs()
    {
        std::vector<CacheItem> discs;
        for (int i = 0; i < 10000; ++i)
            discs.push_back(Disc("SRV" + std::to_string(i / 100), "Disc " + std::to_string(i)));
        UpdateServer("SRV", discs);
    }

    void Open()
    {
        run_ = std::make_unique<ModalDialogRun>([this] {
            const OleApartment ole;   // the view's cut and copy use the OLE clipboard
            const ShellvueClassRegistered shellvue;
            FindMediaDlg dialog;
            dialog_ = &dialog;
            const INT_PTR result = dialog.DoModal(nullptr);
            dialog_ = nullptr;
            return result;
        });
        window_ = run_->Window();
        page_ = ::FindWindowExA(window_, nullptr, MAKEINTATOM(32770), nullptr);
        ASSERT_NE(nullptr, page_);
    }

    // Closes as the close box does; true when the dialog ended.
    bool Close()
    {
        CancelDialog(window_);
        INT_PTR result = 0;
        return run_->WaitForEnd(result);
    }

    void Find(const std::string& pattern, const std::string& folder = std::string(), bool subfolders = true)
    {
        TypeIntoItem(page_, IDC_FIND_NAMED, pattern);
        TypeIntoItem(page_, IDC_FIND_LOOK_IN, folder);
        SetItemChecked(page_, IDC_FIND_SUBFOLDERS, subfolders);
        ClickItem(window_, IDC_FIND_NOW);
    }

    std::string Status() const
    {
        char text[128] = {};
        ::SendMessageA(::GetDlgItem(window_, IDC_FIND_STATUS), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }

    // Waits for the end of the search: Find Now enabled again, with its count in the status bar.
    std::string WaitForSearchEnd() const
    {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 20000; ::Sleep(20)) {
            if (IsItemEnabled(window_, IDC_FIND_NOW) && !Status().empty())
                return Status();
        }
        return "(no end)";
    }

    // The names the embedded view lists.
    std::set<std::string> ListedNames() const
    {
        HWND list = nullptr;
        ::EnumChildWindows(window_, &FindListView, reinterpret_cast<LPARAM>(&list));
        std::set<std::string> names;
        if (!list)
            return names;
        const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[260] = {};
            LVITEMA item{};
            item.iSubItem = 0;
            item.pszText = name;
            item.cchTextMax = sizeof name;
            ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            names.insert(name);
        }
        return names;
    }

    HWND List() const
    {
        HWND list = nullptr;
        ::EnumChildWindows(window_, &FindListView, reinterpret_cast<LPARAM>(&list));
        return list;
    }

    size_t CountCalls(const std::string& call) const
    {
        const std::vector<std::string> calls = module.Calls();
        return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
    }

    size_t CountCallsStartingWith(const std::string& start) const
    {
        const std::vector<std::string> calls = module.Calls();
        return static_cast<size_t>(std::count_if(calls.begin(), calls.end(),
                                                 [&](const std::string& call) { return call.rfind(start, 0) == 0; }));
    }

    // The registrations of the last search come after its end: waits for count of them.
    bool WaitForRegistrations(size_t count) const
    {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 10000; ::Sleep(20)) {
            if (CountCallsStartingWith("Add(") >= count)
                return true;
        }
        return false;
    }

    RecordingModuleInstalled module;
    ScriptedPrompts prompts{IDOK};
    std::vector<int> helpTopics;
    std::unique_ptr<ModalDialogRun> run_;
    std::atomic<FindMediaDlg*> dialog_{nullptr};
    HWND window_ = nullptr;
    HWND page_ = nullptr;
};

TEST_F(FindDialogTest, FindNowListsTheMatchesInTheNamespaceViewAndRegistersEachFolderOnce)
{
    Open();
    EXPECT_EQ("Find: Discs and Launch Objects", WindowText(window_));
    EXPECT_FALSE(IsItemEnabled(window_, IDC_FIND_STOP));
    EXPECT_TRUE(IsItemChecked(page_, IDC_FIND_SUBFOLDERS));
    SaveDialogScreenshot(window_, "find-discs-before");

    Find("cd");
    EXPECT_EQ("3 item(s) found", WaitForSearchEnd());
    EXPECT_EQ((std::set<std::string>{"My CD 1", "CD-ROM 2", "Old CD"}), ListedNames());
    ASSERT_TRUE(WaitForRegistrations(2));
    EXPECT_EQ(1u, CountCalls("Add(client,'Work')"));
    EXPECT_EQ(1u, CountCalls("Add(client,'Work\\Sub')"));
    SaveDialogScreenshot(window_, "find-discs-results");

    // The same results again register nothing more.
    ClickItem(window_, IDC_FIND_NOW);
    EXPECT_EQ("3 item(s) found", WaitForSearchEnd());
    ::Sleep(200);
    EXPECT_EQ(2u, CountCallsStartingWith("Add("));

    // New Search asks, empties the list and ends the registrations; without sub-folders only
    // the folder's own items are found.
    ClickItem(window_, IDC_FIND_NEW_SEARCH);
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("This will clear your current search.", prompts.Prompts()[0].text);
    EXPECT_EQ("Find Discs and Launch Objects", prompts.Prompts()[0].caption);
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_EQ("", Status());
    EXPECT_EQ(2u, CountCallsStartingWith("Remove("));
    Find("cd*", "Work", false);
    EXPECT_EQ("1 item(s) found", WaitForSearchEnd());
    EXPECT_EQ((std::set<std::string>{"CD-ROM 2"}), ListedNames());
    ASSERT_TRUE(WaitForRegistrations(3));

    // A folder that is not there is named, and nothing is searched.
    Find("cd", "Work\\Gone");
    ASSERT_EQ(2u, prompts.Prompts().size());
    EXPECT_EQ("Network Storage\\Work\\Gone\n\nPath not found.", prompts.Prompts()[1].text);
    EXPECT_EQ("1 item(s) found", Status());

    ASSERT_TRUE(Close());
    EXPECT_EQ(3u, CountCallsStartingWith("Remove("));
}

TEST_F(FindDialogTest, NewSearchDuringASearchEndsItFirstThenAsksBeforeClearing)
{
    AddTenThousandDiscs();
    Open();
    Find("disc");
    ClickItem(window_, IDC_FIND_NEW_SEARCH);
    for (const DWORD start = ::GetTickCount(); prompts.Prompts().empty() && ::GetTickCount() - start < 10000;)
        ::Sleep(20);
    ASSERT_EQ(1u, prompts.Prompts().size());
    EXPECT_EQ("This will clear your current search.", prompts.Prompts()[0].text);
    WindowText(window_);   // the clearing is done once the dialog answers again
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_EQ("", ItemText(page_, IDC_FIND_NAMED));
    EXPECT_EQ(FindState::Idle, dialog_.load()->State());
    ASSERT_TRUE(Close());
}

TEST_F(FindDialogTest, StopEndsASearchOfTenThousandItemsAndShowsWhatWasFound)
{
    AddTenThousandDiscs();
    Open();
    Find("disc");
    SaveDialogScreenshot(window_, "find-discs-searching");
    ClickItem(window_, IDC_FIND_STOP);
    const std::string status = WaitForSearchEnd();
    EXPECT_NE("(no end)", status);
    // The view tells its list the new row count once the burst of additions is over.
    int listed = -1;
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 5000; ::Sleep(20)) {
        listed = ListView_GetItemCount(List());
        if (std::to_string(listed) + " item(s) found" == status)
            break;
    }
    EXPECT_EQ(std::to_string(listed) + " item(s) found", status);
    EXPECT_FALSE(IsItemEnabled(window_, IDC_FIND_STOP));
    ASSERT_TRUE(Close());
}

TEST_F(FindDialogTest, CloseDuringASearchEndsOnceAndRemovesEveryRegistration)
{
    AddTenThousandDiscs();
    Open();
    Find("cd");
    WaitForSearchEnd();
    ASSERT_TRUE(WaitForRegistrations(2));
    Find("disc");
    ASSERT_TRUE(Close());
    EXPECT_EQ(CountCallsStartingWith("Add("), CountCallsStartingWith("Remove("));
}

TEST_F(FindDialogTest, KeysInTheResultsGoToTheViewAsInExplorer)
{
    Open();
    Find("manuals");
    ASSERT_EQ("1 item(s) found", WaitForSearchEnd());
    HWND list = List();
    RECT row{};
    row.left = LVIR_LABEL;
    ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(list, WM_LBUTTONUP, 0, at);
    WindowText(window_);
    ::PostMessageA(list, WM_KEYDOWN, VK_F2, 0);
    HWND editor = nullptr;
    for (const DWORD start = ::GetTickCount(); !editor && ::GetTickCount() - start < 5000; ::Sleep(20))
        editor = ListView_GetEditControl(list);
    ASSERT_NE(nullptr, editor) << "F2 starts renaming the selected item";
    EXPECT_EQ("Manuals", WindowText(editor));
    ::PostMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(Close());
}

TEST_F(FindDialogTest, BrowsePicksTheFolderToLookInFromTheNamespacesFolders)
{
    Open();
    TypeIntoItem(page_, IDC_FIND_LOOK_IN, "Work");
    PostClickItem(page_, IDC_FIND_BROWSE);
    HWND picker = WaitForDialogWithItem(::GetWindowThreadProcessId(window_, nullptr), IDC_FIND_FOLDER_TREE);
    ASSERT_NE(nullptr, picker);
    HWND tree = ::GetDlgItem(picker, IDC_FIND_FOLDER_TREE);
    HTREEITEM work = FindTreeItem(tree, "Work");
    ASSERT_NE(nullptr, work);
    EXPECT_EQ(work, TreeView_GetSelection(tree)) << "the folder typed is selected";
    HTREEITEM sub = FindTreeItem(tree, "Sub", work);
    ASSERT_NE(nullptr, sub);
    TreeView_SelectItem(tree, sub);
    ClickItem(picker, IDOK);
    for (const DWORD start = ::GetTickCount(); ::IsWindow(picker) && ::GetTickCount() - start < 5000;)
        ::Sleep(20);
    EXPECT_EQ("Work\\Sub", ItemText(page_, IDC_FIND_LOOK_IN));
    ASSERT_TRUE(Close());
}

TEST_F(FindDialogTest, EachDialogHasSearchEventsOfItsOwn)
{
    Open();
    const FindEventNames first = dialog_.load()->EventNames();
    ASSERT_TRUE(Close());
    Open();
    const FindEventNames second = dialog_.load()->EventNames();
    EXPECT_NE(first.start, second.start);
    EXPECT_NE(first.kill, second.kill);
    EXPECT_NE("__New_NS_Search_Started__", second.start);
    EXPECT_NE("__Kill_NS_Search_Thread__", second.kill);
    ASSERT_TRUE(Close());
}

TEST_F(FindDialogTest, CloseLeavesAnotherProgramsClipboardAndTakesOnlyItsOwnCutOff)
{
    // Text this process does not own on the clipboard, and a cut made elsewhere while the
    // dialog is open: both stay.
    Open();
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 5);
    std::memcpy(::GlobalLock(text), "keep", 5);
    ::GlobalUnlock(text);
    ::SetClipboardData(CF_TEXT, text);
    ::CloseClipboard();
    AuxiliaryFunctions::SetClipboardCutFlag(true);
    ASSERT_TRUE(Close());
    EXPECT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));

    // A cut made in the dialog's own view goes with the dialog.
    AuxiliaryFunctions::SetClipboardCutFlag(false);
    Open();
    Find("manuals");
    ASSERT_EQ("1 item(s) found", WaitForSearchEnd());
    HWND list = List();
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ::SendMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(0x4E9, 0), 0);
    ASSERT_TRUE(AuxiliaryFunctions::GetClipboardCutFlag());
    ASSERT_TRUE(Close());
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());
    EXPECT_EQ(0, ::CountClipboardFormats());
}

TEST(FindAnimationTest, TheAnimationControlPlaysTheProgramsClip)
{
    HWND animation = ::CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP, 0, 0, 32, 32, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, animation);
    EXPECT_TRUE(Animate_Open(animation, MAKEINTRESOURCEA(IDR_FIND_ANIMATION)));
    EXPECT_TRUE(Animate_Play(animation, 0, -1, 1));
    ::DestroyWindow(animation);
}

TEST_F(FindDialogTest, HelpOpensTheFindTopicAndTheSwitchFOpensTheDialog)
{
    run_ = std::make_unique<ModalDialogRun>([] {
        const OleApartment ole;
        const ShellvueClassRegistered shellvue;
        DialwiseApp app(L"Dialwise.exe -f");
        return static_cast<INT_PTR>(app.Run());
    });
    window_ = run_->Window();
    EXPECT_EQ("Find: Discs and Launch Objects", WindowText(window_));
    HELPINFO help{};
    help.cbSize = sizeof help;
    ::SendMessageA(window_, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    EXPECT_EQ(std::vector<int>{34}, helpTopics);
    ASSERT_TRUE(Close());
}

} // namespace
