#pragma once

#include "network_resources.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

// Lists the shares of many servers at once, at most `threads` of them answering at a time, and
// hands the listings back one by one in the order the servers were submitted, whatever order
// they end in: the search writes and reports servers exactly as it would one after another.
// A server that keeps its listing waiting longer than `stallAfter` (one that is not there
// answers only when the network gives up on it, seconds later) holds only its own thread: it
// stops counting against the limit, and another thread takes the next server, up to twice
// `threads` threads in all. Once a stop is requested no listing starts; those under way end on
// their own (each is one call into the network), and the pool waits for them when it goes.
class ServerListingPool {
public:
    using ListShares = std::function<NetListing(const std::string& server)>;
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kDefaultStallAfter{500};

    struct Listed {
        std::string server;
        NetListing shares;
    };

    enum class Taken {
        Listed,   // `next` holds the next listing in submission order
        Drained,  // every submitted server has been taken
        Stopped,  // a stop was requested
        Woken,    // Wake was called
    };

    ServerListingPool(unsigned threads, ListShares listShares, std::stop_token stop,
                      std::chrono::milliseconds stallAfter = kDefaultStallAfter);
    ~ServerListingPool();
    ServerListingPool(const ServerListingPool&) = delete;
    ServerListingPool& operator=(const ServerListingPool&) = delete;

    void Submit(const std::string& server);
    // Waits for the listing of the next server in submission order. With moreToCome, an empty
    // queue is waited out too (until a stop or a Wake), since servers are still to be submitted.
    Taken TakeNext(Listed& next, bool moreToCome = false);
    // Ends the wait of TakeNext with Woken (once, also when it comes before the wait).
    void Wake();

private:
    struct Entry {
        std::string server;
        std::optional<NetListing> shares;
        Clock::time_point started;
        bool stalled = false;
    };

    void StartWorkerIfUseful();
    // Listings under way for longer than stallAfter stop counting against the limit; true
    // when one did. Called with the lock held.
    bool MarkStalledListings();
    // When the first listing under way that still counts stalls; nothing when none counts.
    std::optional<Clock::time_point> NextStall() const;
    std::size_t AnsweringListings() const { return busyWorkers_ - stalledListings_; }
    void Work();
    // Any failure of the listing function is the listing's failure.
    NetListing ListOrFail(const std::string& server) const noexcept;

    const unsigned threadLimit_;
    const ListShares listShares_;
    const std::stop_token stop_;
    const std::chrono::milliseconds stallAfter_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<Entry> entries_;   // a taken entry stays where it is while others are added
    std::size_t nextToList_ = 0;
    std::size_t nextToTake_ = 0;
    std::size_t busyWorkers_ = 0;
    std::size_t stalledListings_ = 0;
    bool closing_ = false;
    bool woken_ = false;
    std::vector<std::thread> workers_;
};
