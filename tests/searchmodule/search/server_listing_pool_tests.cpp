#include "server_listing_pool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using ::testing::UnorderedElementsAre;
using Taken = ServerListingPool::Taken;

// Stands in for the network: the listing of a held server waits until the test releases it;
// every start and end is recorded. Waits of the test give up after ten seconds, so that a
// fault fails the test instead of hanging it.
class ScriptedNetwork {
public:
    void Hold(const std::string& server)
    {
        const std::lock_guard lock(mutex_);
        held_.insert(server);
    }
    void Release(const std::string& server)
    {
        {
            const std::lock_guard lock(mutex_);
            held_.erase(server);
        }
        changed_.notify_all();
    }

    NetListing List(const std::string& server)
    {
        std::unique_lock lock(mutex_);
        started_.push_back(server);
        maxInFlight_ = std::max(maxInFlight_, ++inFlight_);
        changed_.notify_all();
        changed_.wait(lock, [&] { return held_.count(server) == 0; });
        --inFlight_;
        finished_.push_back(server);
        changed_.notify_all();
        NetListing listing;
        listing.entries.push_back({server + "\\SHARE", "", "", 0, RESOURCETYPE_DISK});
        return listing;
    }

    bool WaitForStarted(std::size_t count) { return WaitUntil([&] { return started_.size() >= count; }); }
    bool WaitForFinished(std::size_t count) { return WaitUntil([&] { return finished_.size() >= count; }); }
    bool WaitForFinished(const std::string& server)
    {
        return WaitUntil([&] { return std::count(finished_.begin(), finished_.end(), server) > 0; });
    }

    std::vector<std::string> Started()
    {
        const std::lock_guard lock(mutex_);
        return started_;
    }
    std::vector<std::string> Finished()
    {
        const std::lock_guard lock(mutex_);
        return finished_;
    }
    std::size_t MaxInFlight()
    {
        const std::lock_guard lock(mutex_);
        return maxInFlight_;
    }

private:
    template <class Condition>
    bool WaitUntil(Condition done)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), done);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<std::string> held_;
    std::vector<std::string> started_;
    std::vector<std::string> finished_;
    std::size_t inFlight_ = 0;
    std::size_t maxInFlight_ = 0;
};

std::vector<std::string> Servers(int count)
{
    std::vector<std::string> servers;
    for (int i = 0; i < count; ++i)
        servers.push_back("\\\\S" + std::to_string(i));
    return servers;
}

class ServerListingPoolTest : public ::testing::Test {
protected:
    ServerListingPool::ListShares Lister()
    {
        return [this](const std::string& server) { return network.List(server); };
    }

    // Takes listings until the pool says something else, checking that each is its server's.
    std::vector<std::string> TakeAll(ServerListingPool& pool)
    {
        std::vector<std::string> taken;
        ServerListingPool::Listed next;
        while (pool.TakeNext(next) == Taken::Listed) {
            EXPECT_EQ(next.shares.entries.at(0).remoteName, next.server + "\\SHARE");
            taken.push_back(next.server);
        }
        return taken;
    }

    ScriptedNetwork network;
    std::stop_source stop;
};

TEST_F(ServerListingPoolTest, ListingsAreTakenInTheOrderOfSubmissionWhateverOrderTheyEndIn)
{
    const std::vector<std::string> servers = Servers(6);
    for (const std::string& server : servers)
        network.Hold(server);
    ServerListingPool pool(6, Lister(), stop.get_token());
    for (const std::string& server : servers)
        pool.Submit(server);
    // All six are asked at once; the last one answers first, the first one last.
    std::thread releaser([&] {
        network.WaitForStarted(servers.size());
        for (auto server = servers.rbegin(); server != servers.rend(); ++server) {
            network.Release(*server);
            network.WaitForFinished(*server);
        }
    });
    const std::vector<std::string> taken = TakeAll(pool);
    releaser.join();
    EXPECT_EQ(taken, servers);
    EXPECT_EQ(network.Finished(), std::vector<std::string>(servers.rbegin(), servers.rend()));
}

TEST_F(ServerListingPoolTest, AServerThatDoesNotAnswerHoldsOnlyItsOwnThread)
{
    const std::vector<std::string> servers = Servers(5);
    network.Hold(servers[0]);
    ServerListingPool pool(2, Lister(), stop.get_token(), std::chrono::hours(1));
    for (const std::string& server : servers)
        pool.Submit(server);
    // The other thread lists all the others meanwhile, and no third one is started.
    EXPECT_TRUE(network.WaitForFinished(4));
    network.Release(servers[0]);
    EXPECT_EQ(TakeAll(pool), servers);
    EXPECT_EQ(network.MaxInFlight(), 2u);
}

// One server at a time, but the first never answers: once it has kept its listing waiting for
// the stall time, another thread lists the others, still one at a time.
TEST_F(ServerListingPoolTest, AListingThatStallsStopsCountingAgainstTheLimit)
{
    const std::vector<std::string> servers = Servers(3);
    network.Hold(servers[0]);
    ServerListingPool pool(1, Lister(), stop.get_token(), std::chrono::milliseconds(50));
    for (const std::string& server : servers)
        pool.Submit(server);
    bool othersListedMeanwhile = false;
    std::thread releaser([&] {
        othersListedMeanwhile = network.WaitForFinished(2);
        network.Release(servers[0]);
    });
    EXPECT_EQ(TakeAll(pool), servers);
    releaser.join();
    EXPECT_TRUE(othersListedMeanwhile);
    EXPECT_EQ(network.Finished(), (std::vector<std::string>{servers[1], servers[2], servers[0]}));
    EXPECT_EQ(network.MaxInFlight(), 2u);
}

TEST_F(ServerListingPoolTest, AStopEndsTheWaitAtOnceAndNoListingStartsAfterIt)
{
    const std::vector<std::string> servers = Servers(4);
    network.Hold(servers[0]);
    network.Hold(servers[1]);
    {
        ServerListingPool pool(2, Lister(), stop.get_token());
        for (const std::string& server : servers)
            pool.Submit(server);
        std::thread stopper([&] {
            network.WaitForStarted(2);
            stop.request_stop();
        });
        ServerListingPool::Listed next;
        EXPECT_EQ(pool.TakeNext(next), Taken::Stopped);
        stopper.join();
        network.Release(servers[0]);
        network.WaitForFinished(servers[0]);
        network.Release(servers[1]);
    } // waits for the listings under way
    EXPECT_THAT(network.Started(), UnorderedElementsAre(servers[0], servers[1]));
    EXPECT_EQ(network.Finished().size(), 2u);
}

TEST_F(ServerListingPoolTest, AWaitForMoreServersEndsWhenWokenAndAnEmptyPoolIsDrained)
{
    ServerListingPool pool(2, Lister(), stop.get_token());
    ServerListingPool::Listed next;
    EXPECT_EQ(pool.TakeNext(next), Taken::Drained);
    pool.Wake(); // before the wait: not lost
    EXPECT_EQ(pool.TakeNext(next, true), Taken::Woken);

    const std::string server = Servers(1)[0];
    network.Hold(server);
    pool.Submit(server);
    std::thread waker([&] {
        network.WaitForStarted(1);
        pool.Wake();
    });
    EXPECT_EQ(pool.TakeNext(next, true), Taken::Woken);
    waker.join();
    network.Release(server);
    EXPECT_EQ(TakeAll(pool), std::vector<std::string>{server});
}

} // namespace
