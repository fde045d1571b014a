#include "support/cache_fixture.h"

#include <gtest/gtest.h>

namespace {

using Names = std::multiset<std::string>;

class CacheTreeTest : public CacheFixture {};

TEST_F(CacheTreeTest, AMissingFolderOpensUninitialisedAndWalksNothing)
{
    Cache cache(CacheReadFolder, "Nowhere");
    EXPECT_EQ(CacheNotInitialized, cache.GetStatus());
    EXPECT_EQ(nullptr, *cache.Begin());
    EXPECT_TRUE(cache.Begin() == cache.End());
    EXPECT_FALSE(Cache(CacheEdit, "Nowhere").AddItem(Folder("x")));
}

TEST_F(CacheTreeTest, AFolderListsItsItemsWithTheirFolderPath)
{
    Cache edit(CacheEdit, "Work");
    ASSERT_TRUE(edit.AddItem(Folder("Drafts")));
    ASSERT_TRUE(edit.AddItem(Disc("\\\\TOWER", "ATLAS")));

    Cache read(CacheReadFolder, "Work");
    ASSERT_EQ(CacheReadFolder, read.GetStatus());
    EXPECT_EQ(Names({"ATLAS", "Drafts"}), NamesIn(read));
    for (CacheIterator it = read.Begin(); it != read.End(); ++it)
        EXPECT_EQ("Work", (*it)->FolderPath);
    CacheIterator past = read.End();
    EXPECT_EQ(nullptr, *past);

    CacheItem opened;
    read.GetOpenedFolderData(opened);
    EXPECT_EQ("Work", opened.Name);
    EXPECT_EQ(UserFolder, opened.ItemType);
    EXPECT_EQ("", opened.FolderPath);
}

TEST_F(CacheTreeTest, TheAllDiscsFolderIsTheDatabaseExceptForClients)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS"), Disc("\\\\TOWER", "MAPS")});
    CacheKey("All Discs\\Stale").SetStringValue("Name", "Stale");
    CacheKey("All Discs\\Stale").SetStringValue("OriginalName", "Stale");
    CacheKey("All Discs\\Stale").SetDWORDValue("ItemType", UserFolder);
    CacheKey("All Discs\\Stale").SetDWORDValue("HasSubFolders", 0);

    SetKind(387);
    Cache administrator(CacheReadFolder, "all discs");
    EXPECT_EQ(CacheAllDiscs, administrator.GetStatus());
    EXPECT_EQ(Names({"ATLAS", "MAPS"}), NamesIn(administrator));
    EXPECT_EQ("All Discs", (*administrator.Begin())->FolderPath);

    SetKind(0);
    Cache client(CacheReadFolder, "All Discs");
    EXPECT_EQ(CacheReadFolder, client.GetStatus());
    EXPECT_EQ(Names({"Stale"}), NamesIn(client));
}

TEST_F(CacheTreeTest, AddingADiscThatIsThereOverwritesItsKey)
{
    Cache edit(CacheEdit, "Work");
    CacheItem disc = Disc("\\\\TOWER", "ATLAS");
    ASSERT_TRUE(edit.AddItem(disc));
    disc.Comment = "second edition";
    disc.Name = "atlas";   // same disc: names compare without case
    ASSERT_TRUE(edit.AddItem(disc));
    Cache read(CacheReadFolder, "Work");
    ASSERT_EQ(1u, read.ItemCount());
    EXPECT_EQ("second edition", (*read.Begin())->Comment);
    // Another server's disc of the same name is another item.
    ASSERT_TRUE(edit.AddItem(Disc("\\\\OTHER", "ATLAS")));
    EXPECT_EQ(2u, Cache(CacheReadFolder, "Work").ItemCount());
}

TEST_F(CacheTreeTest, NamesWithQuotesPercentSignsAndAnsiTextSurvive)
{
    const std::string odd = "Say \"hi\" 100% Caf\xe9";
    Cache edit(CacheEdit, "Work");
    ASSERT_TRUE(edit.AddItem(Folder(odd)));
    ASSERT_TRUE(edit.AddItem(Disc("\\\\TOWER", odd)));
    EXPECT_EQ(Names({odd, odd}), NamesIn("Work"));
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", odd)});
    SetKind(387);
    EXPECT_EQ(Names({odd}), NamesIn("All Discs"));
}

TEST_F(CacheTreeTest, NamesThatAreNotOneKeyAreRefused)
{
    Cache edit(CacheEdit, "Work");
    EXPECT_FALSE(edit.AddItem(Folder("")));
    EXPECT_FALSE(edit.AddItem(Folder("a\\b")));
    EXPECT_EQ(Names(), NamesIn("Work"));
}

TEST_F(CacheTreeTest, RenameMovesTheKeyAndRenamesTheItem)
{
    Cache edit(CacheEdit, "");
    CacheItem work = Folder("Work|Work");
    work.OriginalName = "Work";
    work.Name = "Projects|Work";
    ASSERT_TRUE(edit.UpdateItem(work, true));
    EXPECT_EQ("Projects", work.Name);
    EXPECT_EQ("Projects", work.OriginalName);
    RegKey root = CacheKey("");
    EXPECT_FALSE(root.KeyExists("Work"));
    EXPECT_EQ("Projects", root.GetKeyRead("Projects").QueryStringValue("OriginalName"));
}

TEST_F(CacheTreeTest, RenameOfADiscAndPlainUpdates)
{
    Cache edit(CacheEdit, "Work");
    ASSERT_TRUE(edit.AddItem(Disc("\\\\TOWER", "ATLAS")));
    CacheItem disc = Disc("\\\\TOWER", "World Atlas|ATLAS");
    ASSERT_TRUE(edit.UpdateItem(disc, true));
    EXPECT_EQ(Names({"World Atlas"}), NamesIn("Work"));

    disc.Comment = "maps";
    ASSERT_TRUE(edit.UpdateItem(disc, false));
    EXPECT_EQ("maps", (*Cache(CacheReadFolder, "Work").Begin())->Comment);

    CacheItem missing = Disc("\\\\TOWER", "NOTHERE");
    EXPECT_FALSE(edit.UpdateItem(missing, false));
}

TEST_F(CacheTreeTest, RenameOntoAnotherItemsNameChangesNothing)
{
    Cache edit(CacheEdit, "Work");
    ASSERT_TRUE(edit.AddItem(Folder("A")));
    CacheItem b = Folder("B");
    b.Comment = "keep me";
    ASSERT_TRUE(edit.AddItem(b));
    CacheItem rename = Folder("B|A");
    rename.OriginalName = "A";
    EXPECT_FALSE(edit.UpdateItem(rename, true));
    Cache read(CacheReadFolder, "Work");
    EXPECT_EQ(Names({"A", "B"}), NamesIn(read));
}

TEST_F(CacheTreeTest, DeleteReportsWhatItFound)
{
    Cache edit(CacheEdit, "Work");
    ASSERT_TRUE(edit.AddItem(Folder("Old")));
    CacheKey("Work\\Old\\Inner").SetStringValue("Name", "Inner");
    EXPECT_EQ(0, edit.DeleteItem(Folder("Old")));
    EXPECT_FALSE(CacheKey("Work").KeyExists("Old"));
    EXPECT_EQ(kCacheItemNotFound, edit.DeleteItem(Folder("Old")));
    EXPECT_EQ(1, Cache(CacheReadFolder, "Work").DeleteItem(Folder("Old")));
}

TEST_F(CacheTreeTest, MoveIntoItsOwnSubFolderIsRefusedAndChangesNothing)
{
    MakeFolder("Work\\Inner", "Inner", UserFolder);
    Cache edit(CacheEdit, "");
    CacheItem work = Folder("Work");
    EXPECT_EQ(1, edit.MoveItem(work, "Work\\Inner", ClipboardCut, ""));
    EXPECT_EQ(1, edit.MoveItem(work, "Work", ClipboardCopy, ""));
    EXPECT_TRUE(CacheKey("").KeyExists("Work\\Inner"));
    EXPECT_FALSE(CacheKey("Work\\Inner").KeyExists("Work"));
}

TEST_F(CacheTreeTest, CopyAndCutBetweenFolders)
{
    MakeFolder("Archive", "Archive", UserFolder);
    {
        Cache work(CacheEdit, "Work");
        ASSERT_TRUE(work.AddItem(Folder("Report")));
        ASSERT_TRUE(work.AddItem(Disc("\\\\TOWER", "ATLAS")));
    }
    Cache work(CacheEdit, "Work");
    CacheItem report = Folder("Report");
    EXPECT_EQ(0, work.MoveItem(report, "Archive", ClipboardCopy, "Report 2"));
    CacheItem disc = Disc("\\\\TOWER", "ATLAS");
    EXPECT_EQ(0, work.MoveItem(disc, "Archive", ClipboardCut, ""));
    EXPECT_EQ(Names({"Report"}), NamesIn("Work"));
    EXPECT_EQ(Names({"Report 2", "ATLAS"}), NamesIn("Archive"));
    EXPECT_EQ("Report 2", CacheKey("Archive\\Report 2").QueryStringValue("OriginalName"));

    // Not into a place where another item already has the name, and nothing but copy or cut.
    EXPECT_EQ(1, work.MoveItem(report, "Archive", ClipboardCopy, "Report 2"));
    EXPECT_EQ(1, work.MoveItem(report, "Archive", static_cast<ClipboardOperations>(3), "Other"));
    // Onto itself: nothing to do, nothing lost.
    EXPECT_EQ(0, work.MoveItem(report, "Work", ClipboardCut, ""));
    EXPECT_EQ(Names({"Report"}), NamesIn("Work"));
}

TEST_F(CacheTreeTest, DiscsCopiedOutOfTheDatabaseFolderButNotCut)
{
    SetKind(387);
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    Cache allDiscs(CacheEdit, "All Discs");
    CacheItem disc = Disc("\\\\TOWER", "ATLAS");
    EXPECT_EQ(1, allDiscs.MoveItem(disc, "Work", ClipboardCut, ""));
    EXPECT_EQ(0, allDiscs.MoveItem(disc, "Work", ClipboardCopy, ""));
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("Work"));
}

TEST_F(CacheTreeTest, ItemExistsNeedsAnEditingOrFolderMode)
{
    Cache(CacheEdit, "Work").AddItem(Folder("Here"));
    std::string key = "stale";
    EXPECT_TRUE(Cache(CacheFolderOnly, "Work").ItemExists(Folder("Here"), key));
    EXPECT_EQ("Here", key);
    EXPECT_TRUE(Cache(CacheEdit, "Work").ItemExists(Folder("Here")));
    EXPECT_FALSE(Cache(CacheReadFolder, "Work").ItemExists(Folder("Here"), key));
    EXPECT_EQ("", key);
}

TEST(CacheUtilities, TextHelpers)
{
    EXPECT_EQ("a|b|c", Cache::ReplaceCharacters("a\\b\\c", '\\', '|'));
    EXPECT_EQ("Details", Cache::RemoveCharacters("&Det&ails", "&"));
    EXPECT_FALSE(Cache::IsValidName("C:"));
    EXPECT_FALSE(Cache::IsValidName("say \"x\""));
    EXPECT_TRUE(Cache::IsValidName(""));
    EXPECT_TRUE(Cache::IsValidName("Plain name"));
    std::string first;
    std::string second;
    ASSERT_TRUE(Cache::GetUniqueName(first, 32));
    ASSERT_TRUE(Cache::GetUniqueName(second, 32));
    EXPECT_EQ(32u, first.size());
    EXPECT_NE(first, second);
    EXPECT_EQ(std::string::npos, first.find_first_of("{}-"));
    EXPECT_FALSE(Cache::GetUserName().empty());
}

} // namespace
