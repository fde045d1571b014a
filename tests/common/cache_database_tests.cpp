#include "base/named_semaphore.h"
#include "base/scoped_handle.h"

#include "support/cache_fixture.h"
#include "support/other_connection.h"

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
    std::string DamagedFile() { return DatabaseFile() + ".damaged"; }

    // Closes this process's idle connection to the file, as the end of a program would.
    static void CloseIdleConnections() { Cache(CacheServerUpdate, "").CompactDB(); }

    // A server update, and whether it got the file at all.
    static bool StartUpdate(const std::string& server)
    {
        Cache update(CacheServerUpdate, "");
        return update.StartingWithNewServer(server);
    }
};

// Runs the test in another current folder, and removes a file it made, at the end.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path)
    {
        char previous[MAX_PATH];
        if (::GetCurrentDirectoryA(sizeof previous, previous))
            previous_ = previous;
        ::SetCurrentDirectoryA(path.c_str());
    }
    ~WorkingDirectory() { ::SetCurrentDirectoryA(previous_.c_str()); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::string previous_;
};

struct RemovedAtEnd {
    ~RemovedAtEnd() { ::DeleteFileA(path.c_str()); }
    std::string path;
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

// Without the installation folder the name of the file would fall to the root of the current
// drive, where a file of that name belongs to someone else.
TEST_F(CacheDatabaseTest, WithoutProgramPathThereIsNoDatabaseAndNoFileIsTouched)
{
    const WorkingDirectory inFolder(folder.Path());
    const std::string atDriveRoot = "\\" + Cache::GetUserName() + ".mdb";
    ASSERT_FALSE(FileExists(atDriveRoot)) << "the root of the drive already has " << atDriveRoot;
    const RemovedAtEnd removed{atDriveRoot};
    ASSERT_TRUE(WriteWholeFile(atDriveRoot, "a file of someone else"));

    const RegKey product = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
    for (const bool emptyValue : {false, true}) {
        if (emptyValue)
            product.SetStringValue("Program Path", "");
        else
            product.DeleteValue("Program Path");
        EXPECT_EQ("", Cache(CacheServerUpdate, "").GetCacheFileName());
        Cache all(CacheReadFolder, "All Discs");
        EXPECT_EQ(CacheAllDiscs, all.GetStatus());
        EXPECT_EQ(0u, all.ItemCount());
        Cache update(CacheServerUpdate, "");
        EXPECT_FALSE(update.StartingWithNewServer("\\\\TOWER"));
        EXPECT_FALSE(update.AddServerMedia(Disc("\\\\TOWER", "ATLAS")));
        update.CompactDB();
        EXPECT_FALSE(Cache(CacheFolderOnly, "All Discs").ItemExists(Disc("\\\\TOWER", "ATLAS")));

        EXPECT_EQ("a file of someone else", ReadWholeFile(atDriveRoot));
        EXPECT_FALSE(FileExists(atDriveRoot + ".damaged"));
        EXPECT_FALSE(FileExists(DatabaseFile()));
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

// A folder that asked about a disc must not keep the file from the next Cache of the same
// thread (the lock cannot be taken twice, so that Cache would wait in vain).
TEST_F(CacheDatabaseTest, ADiscInTheDatabaseFolderIsFoundThereWithoutHoldingTheFile)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    Cache folderOnly(CacheFolderOnly, "All Discs");
    std::string key;
    EXPECT_TRUE(folderOnly.ItemExists(Disc("\\\\TOWER", "ATLAS"), key));
    EXPECT_EQ("ATLAS", key);
    EXPECT_FALSE(folderOnly.ItemExists(Disc("\\\\TOWER", "ATLAS", JazDisc), key));

    const auto start = std::chrono::steady_clock::now();
    Cache nested(CacheReadFolder, "All Discs");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(Names({"ATLAS"}), NamesIn(nested));
    EXPECT_TRUE(StartUpdate("\\\\OTHER"));
    EXPECT_TRUE(folderOnly.ItemExists(Disc("\\\\TOWER", "ATLAS"), key));
}

TEST_F(CacheDatabaseTest, ADamagedFileIsSetAsideWithItsCompanionsAndANewOneMade)
{
    const std::string damaged = "this is not a database file, not even close, just text";
    ASSERT_TRUE(WriteWholeFile(DatabaseFile(), damaged));
    ASSERT_TRUE(WriteWholeFile(DatabaseFile() + "-wal", "log of the damaged file"));
    ASSERT_TRUE(WriteWholeFile(DatabaseFile() + "-shm", "index of the damaged file"));
    EXPECT_EQ(CacheNotInitialized, Cache(CacheReadFolder, "All Discs").GetStatus());
    EXPECT_EQ(damaged, ReadWholeFile(DatabaseFile()));   // readers never replace it

    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("All Discs"));
    EXPECT_EQ(damaged, ReadWholeFile(DamagedFile()));
    EXPECT_EQ("log of the damaged file", ReadWholeFile(DamagedFile() + "-wal"));
    EXPECT_TRUE(FileExists(DamagedFile() + "-shm"));   // an index the engine rebuilds at will

    // A second damaged file takes the place of the first, whose log must not pass for its own;
    // but not while another program has it open: then the update fails and nothing moves.
    CloseIdleConnections();
    ASSERT_TRUE(WriteWholeFile(DatabaseFile(), "the second damaged file"));
    {
        ScopedFile inUse(::CreateFileA(DatabaseFile().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(inUse);
        EXPECT_FALSE(StartUpdate("\\\\TOWER"));
        EXPECT_EQ("the second damaged file", ReadWholeFile(DatabaseFile()));
        EXPECT_EQ(damaged, ReadWholeFile(DamagedFile()));
    }
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "MAPS")});
    EXPECT_EQ(Names({"MAPS"}), NamesIn("All Discs"));
    EXPECT_EQ("the second damaged file", ReadWholeFile(DamagedFile()));
    EXPECT_NE("log of the damaged file", ReadWholeFile(DamagedFile() + "-wal"));
}

TEST_F(CacheDatabaseTest, ACacheFileWithADamagedSchemaIsSetAsideToo)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    CloseIdleConnections();
    std::string bytes = ReadWholeFile(DatabaseFile());
    ASSERT_GT(bytes.size(), 200u);
    bytes.replace(100, 100, std::string(100, '\xff'));   // the header of the table list's page
    ASSERT_TRUE(WriteWholeFile(DatabaseFile(), bytes));

    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "MAPS")});
    EXPECT_EQ(Names({"MAPS"}), NamesIn("All Discs"));
    EXPECT_EQ(bytes, ReadWholeFile(DamagedFile()));
}

TEST_F(CacheDatabaseTest, ASoundDatabaseOfAnotherLayoutIsLeftAsItIs)
{
    {
        OtherConnection other(DatabaseFile(), true);
        other.Execute("CREATE TABLE Accounts (Name TEXT); INSERT INTO Accounts VALUES ('not a disc');");
    }
    const std::string before = ReadWholeFile(DatabaseFile());
    EXPECT_FALSE(StartUpdate("\\\\TOWER"));
    EXPECT_EQ(CacheNotInitialized, Cache(CacheReadFolder, "All Discs").GetStatus());
    Cache(CacheServerUpdate, "").CompactDB();
    EXPECT_EQ(before, ReadWholeFile(DatabaseFile()));
    EXPECT_FALSE(FileExists(DamagedFile()));

    // A database without a single table is what a creation cut short leaves: it becomes ours.
    ASSERT_TRUE(::DeleteFileA(DatabaseFile().c_str()));
    ASSERT_TRUE(WriteWholeFile(DatabaseFile(), ""));
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("All Discs"));
    EXPECT_FALSE(FileExists(DamagedFile()));
}

// A file the engine cannot lock now is not damaged: the update fails and tries again next
// time. One locker is another connection; the other also lets the file be renamed or deleted.
TEST_F(CacheDatabaseTest, ABusyFileIsLeftAsItIsAndTheUpdateFails)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS")});
    CloseIdleConnections();
    const std::string before = ReadWholeFile(DatabaseFile());
    {
        OtherConnection other(DatabaseFile());
        other.Execute("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;");
        EXPECT_FALSE(StartUpdate("\\\\TOWER"));
    }
    {
        ScopedFile other(::CreateFileA(DatabaseFile().c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(other);
        OVERLAPPED engineLockBytes{};
        engineLockBytes.Offset = 0x40000000;
        ASSERT_TRUE(::LockFileEx(other.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 512, 0,
                                 &engineLockBytes));
        EXPECT_FALSE(StartUpdate("\\\\TOWER"));
    }
    EXPECT_EQ(before, ReadWholeFile(DatabaseFile()));
    EXPECT_FALSE(FileExists(DamagedFile()));
    EXPECT_EQ(Names({"ATLAS"}), NamesIn("All Discs"));
}

// Another program's trigger refuses the deletes of the update's end, so it rolls back.
TEST_F(CacheDatabaseTest, AServerUpdateThatDoesNotCommitChangesNothingAndSaysSo)
{
    UpdateServer("\\\\TOWER", {Disc("\\\\TOWER", "ATLAS"), Disc("\\\\TOWER", "MAPS")});
    OtherConnection(DatabaseFile())
        .Execute("CREATE TRIGGER KeepDiscs BEFORE DELETE ON Items BEGIN SELECT RAISE(ABORT, 'kept'); END;");

    Cache update(CacheServerUpdate, "");
    std::vector<CacheItem> removed;
    ASSERT_TRUE(update.StartingWithNewServer("\\\\OTHER"));
    ASSERT_TRUE(update.AddServerMedia(Disc("\\\\OTHER", "MUSIC")));
    update.DoneWithServer("\\\\OTHER", removed);
    EXPECT_TRUE(update.ServerUpdateCommitted());

    ASSERT_TRUE(update.StartingWithNewServer("\\\\TOWER"));
    ASSERT_TRUE(update.AddServerMedia(Disc("\\\\TOWER", "ATLAS")));
    ASSERT_TRUE(update.AddServerMedia(Disc("\\\\TOWER", "NEW")));
    EXPECT_EQ(0, update.DoneWithServer("\\\\TOWER", removed));
    EXPECT_TRUE(removed.empty());
    EXPECT_FALSE(update.ServerUpdateCommitted());
    EXPECT_EQ(Names({"ATLAS", "MAPS", "MUSIC"}), NamesIn("All Discs"));
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
