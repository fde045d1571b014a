// Finding items by name: the name patterns, the walk of the cache, and the worker that hands its
// results over in batches and stops at once.

#include "find/find_media_thread.h"
#include "find/find_name_match.h"
#include "find/find_search.h"
#include "find/find_search_state.h"

#include "support/cache_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(FindNameMatchTest, APatternWithoutAStarMatchesAnywhereAndOneWithAStarIsAnchored)
{
    EXPECT_TRUE(FindNameMatches("My CD 1", "cd"));
    EXPECT_FALSE(FindNameMatches("My CD 1", "cd*"));
    EXPECT_TRUE(FindNameMatches("CD-ROM 2", "cd*"));
    EXPECT_TRUE(FindNameMatches("My CD 1", "*1"));
    EXPECT_FALSE(FindNameMatches("CD-ROM 2", "*1"));
    EXPECT_TRUE(FindNameMatches("My CD 1", "my*1"));
    EXPECT_FALSE(FindNameMatches("My CD 1", "cd*1"));
    EXPECT_TRUE(FindNameMatches("My CD 1", "*cd*"));
}

TEST(FindNameMatchTest, AQuestionMarkStandsForExactlyOneCharacter)
{
    EXPECT_TRUE(FindNameMatches("X", "?"));
    EXPECT_FALSE(FindNameMatches("", "?"));
    EXPECT_TRUE(FindNameMatches("CD-ROM 2", "c?-rom"));
    EXPECT_FALSE(FindNameMatches("CD-ROM 2", "c?rom"));
    EXPECT_TRUE(FindNameMatches("Disc 12", "disc ??"));
    EXPECT_FALSE(FindNameMatches("Disc 1", "disc ??"));
    EXPECT_TRUE(FindNameMatches("Disc 12", "d?sc*2"));
}

TEST(FindNameMatchTest, BlanksAroundThePatternAndLetterCaseDoNotCount)
{
    EXPECT_TRUE(FindNameMatches("My CD 1", "  CD 1 "));
    EXPECT_TRUE(FindNameMatches("my cd 1", "MY*"));
    EXPECT_TRUE(FindNameMatches("Anything", "   "));
    EXPECT_TRUE(FindNameMatches("Anything", "*"));
    // Many stars against a long name end quickly.
    EXPECT_FALSE(FindNameMatches(std::string(4000, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

// A user's folders with discs and launch objects, below Work and in Work\Sub.
class FindSearchTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        MakeFolder("Work\\Sub", "Sub", UserFolder);
        Add("Work", Disc("SRV1", "My CD 1"));
        Add("Work", Disc("SRV1", "CD-ROM 2"));
        Add("Work", Disc("SRV2", "Manuals"));
        Add("Work\\Sub", Disc("SRV2", "Old CD"));
    }

    static void Add(const std::string& folder, const CacheItem& item)
    {
        Cache edit(CacheEdit, folder);
        ASSERT_TRUE(edit.AddItem(item)) << item.Name;
    }

    // What a search finds, as "folder|name".
    static std::set<std::string> Found(const FindRequest& request)
    {
        std::set<std::string> found;
        SearchCache(request, [] { return true; }, [&](FoundItem&& item) {
            EXPECT_NE(nullptr, item.item.Record.Name) << "the record is built";
            found.insert(item.folderPath + "|" + item.item.Name);
        });
        return found;
    }
};

TEST_F(FindSearchTest, SubfoldersAreSearchedOnlyWhenIncluded)
{
    EXPECT_EQ((std::set<std::string>{"Work|My CD 1", "Work|CD-ROM 2", "Work\\Sub|Old CD"}),
              Found({"cd", "Work", true}));
    EXPECT_EQ((std::set<std::string>{"Work|My CD 1", "Work|CD-ROM 2"}), Found({"cd", "Work", false}));
    // From the root: folders match as items do, and the walk goes down every level.
    EXPECT_EQ((std::set<std::string>{"|Work"}), Found({"?o*", "", true}));
    EXPECT_EQ((std::set<std::string>{"Work\\Sub|Old CD"}), Found({"*cd", "", true}));
    EXPECT_TRUE(Found({"cd", "No Such Folder", true}).empty());
}

TEST_F(FindSearchTest, ASearchNoLongerWantedEndsBeforeTheNextItem)
{
    int asked = 0;
    int found = 0;
    EXPECT_THROW(SearchCache({"", "Work", true}, [&] { return ++asked < 3; }, [&](FoundItem&&) { ++found; }),
                 FindMediaCanceledException);
    EXPECT_EQ(2, found);
}

// A window of the test's thread that counts what the worker posts.
class WorkerWindow {
public:
    WorkerWindow()
    {
        window_ = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~WorkerWindow() { ::DestroyWindow(window_); }
    HWND Get() const { return window_; }

    // Runs the thread's messages until the worker's message arrives (its wParam), or 20 s.
    bool WaitFor(UINT wanted, WPARAM& wParam) const
    {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 20000;) {
            MSG message{};
            if (!::PeekMessageA(&message, window_, 0, 0, PM_REMOVE)) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
                continue;
            }
            if (message.message == wanted) {
                wParam = message.wParam;
                return true;
            }
        }
        return false;
    }

private:
    HWND window_ = nullptr;
};

class FindWorkerTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);   // a server installation: the all-discs folder is the database's
        std::vector<CacheItem> discs;
        for (int i = 0; i < 10000; ++i)
            discs.push_back(Disc("SRV" + std::to_string(i / 100), "Disc " + std::to_string(i)));
        UpdateServer("SRV", discs);
    }
};

TEST_F(FindWorkerTest, FoundItemsComeInBatchesAndTheEndComesAfterThem)
{
    FindSearchState state;
    FindMediaThread worker(state);
    WorkerWindow window;
    worker.SetDialogWindow(window.Get());
    state.SetState(FindState::Searching);
    worker.StartSearch({"disc 99*", "All Discs", true});
    WPARAM endedIn = 0;
    ASSERT_TRUE(window.WaitFor(FindMediaThread::kSearchDoneMessage, endedIn));
    EXPECT_EQ(static_cast<WPARAM>(FindState::Searching), endedIn);
    // Disc 99 and Disc 990 to Disc 9999: 111 items, all queued for the dialog's thread.
    std::vector<FoundItem> found = state.TakeFound();
    EXPECT_EQ(111u, found.size());
    EXPECT_TRUE(std::all_of(found.begin(), found.end(), [](const FoundItem& item) { return item.folderPath == "All Discs"; }));
}

TEST_F(FindWorkerTest, StopEndsASearchOfTenThousandItemsAtOnce)
{
    FindSearchState state;
    FindMediaThread worker(state);
    WorkerWindow window;
    worker.SetDialogWindow(window.Get());
    state.SetState(FindState::Searching);
    worker.StartSearch({"disc", "", true});
    WPARAM ignored = 0;
    ASSERT_TRUE(window.WaitFor(FindMediaThread::kFoundMessage, ignored));
    state.SetState(FindState::Idle);
    const size_t beforeStop = state.TakeFound().size();
    WPARAM endedIn = 0;
    ASSERT_TRUE(window.WaitFor(FindMediaThread::kSearchDoneMessage, endedIn));
    EXPECT_EQ(static_cast<WPARAM>(FindState::Idle), endedIn);
    // At most the item in hand when the state changed is queued after it.
    EXPECT_LE(state.TakeFound().size(), 1u) << beforeStop << " found before Stop";
}

TEST_F(FindWorkerTest, EachWorkerHasEventsOfItsOwnSoThatEndingOneLeavesTheOtherSearching)
{
    FindSearchState firstState;
    FindSearchState secondState;
    FindMediaThread first(firstState);
    FindMediaThread second(secondState);
    for (const FindEventNames* names : {&first.EventNames(), &second.EventNames()}) {
        EXPECT_NE("__New_NS_Search_Started__", names->start);
        EXPECT_NE("__Kill_NS_Search_Thread__", names->kill);
    }
    EXPECT_NE(first.EventNames().start, second.EventNames().start);
    EXPECT_NE(first.EventNames().kill, second.EventNames().kill);

    first.Stop();
    WorkerWindow window;
    second.SetDialogWindow(window.Get());
    secondState.SetState(FindState::Searching);
    second.StartSearch({"disc 1234", "All Discs", true});
    WPARAM endedIn = 0;
    ASSERT_TRUE(window.WaitFor(FindMediaThread::kSearchDoneMessage, endedIn));
    EXPECT_EQ(1u, secondState.TakeFound().size());
}

} // namespace
