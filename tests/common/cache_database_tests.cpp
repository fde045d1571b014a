#include "base/named_semaphore.h"

#include "support/cache_fixture.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Names = std::multiset<std::string>;

class CacheDatabaseTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);
    }
    std::string DatabaseFile() { return folder.File(Cache::GetUserName() + ".mdb"); }
};

Names NamesOf(const std::vector<CacheItem>& items)
{
    Names names;
    for (const CacheItem& item : items)
        names.insert(item.Name);
    return names;
}

TEST_F(CacheDatabaseTest, TheFirstServerUpdateCreatesTheFile)
{
    EXPECT_FALSE(FileExists(DatabaseFile()));
    Cache reader(CacheReadFolder, "All Discs");
    EXPECT_EQ(CacheNotInitialized, reader.GetStatus());   // readers never create it
    EXPECT_FALSE(FileExists(DatabaseFile()));

    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS"), Disc("\\\\TOWER", "BACKUP", JazDisc)});
    EXPECT_TRUE(FileExists(DatabaseFile()));
    Cache all(CacheReadFolder, "All Discs");
    ASSERT_EQ(2u, all.ItemCount());
    for (CacheIterator it = all.Begin(); it != all.End(); ++it) {
        const CacheItem& disc = **it;
        EXPECT_EQ(disc.Name, disc.OriginalName);
        EXPECT_EQ("\\\\TOWER", disc.Location);
        EXPECT_EQ(disc.Name == "ATLAS" ? CdRomDisc : JazDisc, disc.ItemType);
        EXPECT_EQ(disc.Name == "ATLAS" ? "CD/DVD" : "Jaz Disk", disc.Type);
    }
}

TEST_F(CacheDatabaseTest, DiscsSeenAgainStayAndDiscsGoneAreRemovedAndReturned)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS"), Disc("\\\\TOWER", "MAPS")});
    UpdateServer("\\\\OTHER", {Disc("\\\\OTHER", "MUSIC")});

    const std::vector<CacheItem> removed = UpdateServer("\\\\TOWER", {Disc("\\\\tower", "atlas"), Disc("\\\\TOWER", "NEW")});
    EXPECT_EQ(Names({"MAPS"}), NamesOf(removed));
    EXPECT_EQ(Names({"ATLAS", "NEW", "MUSIC"}), NamesIn("All Discs"));

    // A scan that found nothing takes every disc of that server, and only of that server.
    EXPECT_EQ(Names({"ATLAS", "NEW"}), NamesOf(UpdateServer("\\\\TOWER", {})));
    EXPECT_EQ(Names({"MUSIC"}), NamesIn("All Discs"));
}

TEST_F(CacheDatabaseTest, ADiscWhoseKindOrCommentChangedKeepsOneRowWithTheNewData)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    CacheItem changed = Disc("\\\\TOWER", "ATLAS", JazDisc);
    changed.Comment = "now a Jaz cartridge";
    EXPECT_TRUE(UpdateServer("\\\\TOWER", {changed}).empty());
    Cache all(CacheReadFolder, "All Discs");
    ASSERT_EQ(1u, all.ItemCount());
    const CacheItem& stored = **all.Begin();
    EXPECT_EQ(JazDisc, stored.ItemType);
    EXPECT_EQ("Jaz Disk", stored.Type);
    EXPECT_EQ("now a Jaz cartridge", stored.Comment);
}

TEST_F(CacheDatabaseTest, AnUpdateThatNeverFinishesLeavesTheServerAsItWas)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    {
        Cache update(CacheServerUpdate, "");
        ASSERT_TRUE(update.StartingWithNewServer("\\\\TOWER"));
        ASSERT_TRUE(update.AddServerMedia(Disc("\\\\TOWER", "HALF")));
    }   // the search module went away before DoneWithServer
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("All Discs"));
}

TEST_F(CacheDatabaseTest, LongTextsAreCutToTheFieldSizes)
{
    CacheItem disc = Disc("\\\\TOWER", std::string(300, 'n'));
    disc.Type = std::string(40, 't');
    disc.Comment = std::string(400, 'c');
    UpdateServer("\\\\TOWER", {disc});
    Cache all(CacheReadFolder, "All Discs");
    ASSERT_EQ(1u, all.ItemCount());
    EXPECT_EQ(255u, (*all.Begin())->Name.size());
    EXPECT_EQ(20u, (*all.Begin())->Type.size());
    EXPECT_EQ(255u, (*all.Begin())->Comment.size());
    // Seen again under its full name, it is the same disc.
    EXPECT_TRUE(UpdateServer("\\\\TOWER", {disc}).empty());
}

TEST_F(CacheDatabaseTest, ServerListAndServerRemoval)
{
    Cache update(CacheServerUpdate, "");
    std::vector<std::string> servers{"stale"};
    EXPECT_EQ(-1, update.GetServerList(servers));
    EXPECT_TRUE(servers.empty());

    UpdateServer("\\\\A", {Disc("\\\\A", "1")});
    UpdateServer("\\\\B", {Disc("\\\\B", "1"), Disc("\\\\B", "2")});
    UpdateServer("\\\\C", {Disc("\\\\C", "1")});
    EXPECT_EQ(2, update.GetServerList(servers));
    EXPECT_EQ(std::set<std::string>({"\\\\A", "\\\\B", "\\\\C"}), std::set<std::string>(servers.begin(), servers.end()));

    std::vector<CacheItem> removed;
    EXPECT_EQ(2, update.RemoveServer("\\\\B", removed));
    EXPECT_EQ(1, update.GetServerList(servers));
    EXPECT_EQ(Names({"1", "1"}), NamesIn("All Discs"));
    // Only the server update mode may change the file.
    EXPECT_EQ(-1, Cache(CacheReadFolder, "Work").GetServerList(servers));
}

TEST_F(CacheDatabaseTest, ADiscInTheDatabaseFolderIsFoundThere)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    std::string key;
    EXPECT_TRUE(Cache(CacheFolderOnly, "All Discs").ItemExists(Disc("\\\\TOWER", "ATLAS"), key));
    EXPECT_EQ("ATLAS", key);
    EXPECT_FALSE(Cache(CacheFolderOnly, "All Discs").ItemExists(Disc("\\\\TOWER", "ATLAS", JazDisc), key));
}

TEST_F(CacheDatabaseTest, ADamagedFileIsNotReadButReplacedByTheNextUpdate)
{
    {
        std::FILE* file = std::fopen(DatabaseFile().c_str(), "wb");
        ASSERT_NE(nullptr, file);
        std::fputs("this is not a database file, not even close, just text", file);
        std::fclose(file);
    }
    EXPECT_EQ(CacheNotInitialized, Cache(CacheReadFolder, "All Discs").GetStatus());
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("All Discs"));
}

TEST_F(CacheDatabaseTest, CompactionKeepsTheDiscs)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS"), Disc("\\\\TOWER", "MAPS")});
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    Cache(CacheServerUpdate, "").CompactDB();
    EXPECT_FALSE(FileExists(DatabaseFile() + "2"));
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("All Discs"));
}

// The search module holds the file for a long update: the folder shows empty after the wait.
TEST_F(CacheDatabaseTest, AReaderThatCannotGetTheFileShowsAnEmptyFolder)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    SemaphoreLock busy(Cache::myCacheDBSemaphore, 0);
    ASSERT_TRUE(busy.IsHeld());
    const auto start = std::chrono::steady_clock::now();
    Cache all(CacheReadFolder, "All Discs");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(CacheAllDiscs, all.GetStatus());
    EXPECT_EQ(0u, all.ItemCount());
    EXPECT_GE(waited, std::chrono::milliseconds(Cache::SEMAPHORE_TIMEOUT - 500));
}

} // namespace
