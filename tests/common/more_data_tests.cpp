#include "base/named_semaphore.h"
#include "support/cache_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class MoreDataTest : public CacheFixture {};

TEST_F(MoreDataTest, ALaunchObjectKeepsItsSecondDataSetAndActions)
{
    CacheItem launch = Folder("Atlas", LaunchObject);
    launch.FolderPath = "Work";
    ASSERT_TRUE(Cache(CacheEdit, "Work").AddItem(launch));
    launch.TargetFile = "\\\\TOWER\\ATLAS\\atlas.exe";
    launch.StartIn = "\\\\TOWER\\ATLAS";
    launch.StartAs = 2;
    launch.ExitLOStatus = 1;
    launch.ContactInfo = "Library desk";
    launch.AutoMapping = 1;
    launch.DriveLetter = "M";
    launch.MultipleMapping = "Target File Path:N";
    launch.Actions.resize(2);
    launch.Actions[1].LOActionType = 2;
    launch.Actions[1].ListItems = "English:-en";
    launch.SaveMoreData();

    CacheItem read = Folder("Atlas", LaunchObject);
    read.FolderPath = "Work";
    read.GetMoreData();
    EXPECT_TRUE(read.HasSameAttributeSet2(&launch));

    // Saving again with a shorter chain leaves no stale action behind.
    launch.Actions.resize(1);
    launch.SaveMoreData();
    read.GetMoreData();
    EXPECT_EQ(1u, read.Actions.size());
}

TEST_F(MoreDataTest, ADiscIsFoundByNameAndServerUnderItsUniqueKey)
{
    CacheItem disc = Disc("\\\\TOWER", "ATLAS");
    disc.FolderPath = "Work";
    ASSERT_TRUE(Cache(CacheEdit, "Work").AddItem(disc));
    disc.AutoMapping = 1;
    disc.DriveLetter = "Q";
    disc.SaveMoreData();

    CacheItem read = Disc("\\\\TOWER", "ATLAS");
    read.FolderPath = "Work";
    read.GetMoreData();
    EXPECT_EQ(1, read.AutoMapping);
    EXPECT_EQ("Q", read.DriveLetter);

    CacheItem elsewhere = Disc("\\\\OTHER", "ATLAS");
    elsewhere.FolderPath = "Work";
    elsewhere.GetMoreData();   // not in the folder: nothing read
    EXPECT_EQ("Z", elsewhere.DriveLetter);
}

TEST_F(MoreDataTest, ASaveWaitsForTheCachesLockAndSaysWhetherItWrote)
{
    CacheItem disc = Disc("\\\\TOWER", "ATLAS");
    disc.FolderPath = "Work";
    ASSERT_TRUE(Cache(CacheEdit, "Work").AddItem(disc));
    disc.AutoMapping = 2;

    std::atomic<int> saved{-1};
    std::thread saver;
    {
        // Another writer of the tree holds the lock, as another process's edit would.
        const SemaphoreLock busy(Cache::myCacheRegSemaphore, 0);
        ASSERT_TRUE(busy.IsHeld());
        saver = std::thread([&] { saved = disc.SaveMoreData() ? 1 : 0; });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(-1, saved.load()) << "the save waits for the lock";
        CacheItem read = Disc("\\\\TOWER", "ATLAS");
        read.FolderPath = "Work";
        read.GetMoreData();
        EXPECT_EQ(0, read.AutoMapping) << "nothing is written meanwhile";
    }
    saver.join();
    EXPECT_EQ(1, saved.load());

    CacheItem missing = Disc("\\\\OTHER", "ATLAS");
    missing.FolderPath = "Work";
    EXPECT_FALSE(missing.SaveMoreData()) << "an item that is not in its folder is not saved";
}

TEST_F(MoreDataTest, CreatorAndPublicFlagAreKeptForAnAdministratorOnly)
{
    CacheItem work = Folder("Work");
    work.ItemCreator = ItemCreatorServer;
    work.PublicFolder = 1;

    SetKind(387);
    work.SaveMoreData();
    RegKeyRead key = CacheKey("Work");
    EXPECT_EQ(1u, key.QueryDWORDValue("ItemCreator"));
    EXPECT_EQ(1u, key.QueryDWORDValue("PublicFolder"));

    SetKind(0);
    work.SaveMoreData();
    EXPECT_FALSE(CacheKey("Work").ValueExists("ItemCreator"));
    EXPECT_FALSE(CacheKey("Work").ValueExists("PublicFolder"));
}

} // namespace
