#include "server_listing_pool.h"

#include "logging/logging.h"

#include <system_error>
#include <utility>

ServerListingPool::ServerListingPool(unsigned threads, ListShares listShares, std::stop_token stop,
                                     std::chrono::milliseconds stallAfter)
    : threadLimit_(threads == 0 ? 1 : threads), listShares_(std::move(listShares)), stop_(std::move(stop)),
      stallAfter_(stallAfter)
{
}

ServerListingPool::~ServerListingPool()
{
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

void ServerListingPool::Submit(const std::string& server)
{
    std::string name = server;
    std::unique_lock lock(mutex_);
    Entry& entry = entries_.emplace_back();
    entry.server = std::move(name);
    lock.unlock();
    changed_.notify_all();
    StartWorkerIfUseful();
    if (!workers_.empty())
        return;
    // Not even one thread could be started: the listing is made here, as without the pool.
    lock.lock();
    ++nextToList_;
    lock.unlock();
    NetListing shares = ListOrFail(entry.server);
    lock.lock();
    entry.shares = std::move(shares);
}

void ServerListingPool::StartWorkerIfUseful()
{
    {
        const std::lock_guard lock(mutex_);
        const std::size_t waiting = entries_.size() - nextToList_;
        const std::size_t idle = workers_.size() - busyWorkers_;
        if (workers_.size() >= 2 * std::size_t{threadLimit_} || AnsweringListings() >= threadLimit_ || waiting <= idle)
            return;
    }
    try {
        workers_.emplace_back(&ServerListingPool::Work, this);
    } catch (const std::system_error& error) {
        LogFormatted("ServerListingPool - no listing thread: %s\n", error.what());
    }
}

ServerListingPool::Taken ServerListingPool::TakeNext(Listed& next, bool moreToCome)
{
    std::unique_lock lock(mutex_);
    const auto nextIsListed = [this] { return nextToTake_ < entries_.size() && entries_[nextToTake_].shares; };
    const auto ready = [&] { return nextIsListed() || woken_ || (!moreToCome && nextToTake_ == entries_.size()); };
    // Waits in steps that end when a listing under way stalls, so that another thread can
    // take its place.
    for (std::optional<Clock::time_point> stall = NextStall();; stall = NextStall()) {
        if (!stall) {
            // Also until a listing starts: its stall time counts from then.
            changed_.wait(lock, stop_, [&] { return ready() || NextStall(); });
            if (ready() || stop_.stop_requested())
                break;
            continue;
        }
        if (changed_.wait_until(lock, stop_, *stall, ready) || stop_.stop_requested())
            break;
        if (MarkStalledListings()) {
            lock.unlock();
            changed_.notify_all();
            StartWorkerIfUseful();
            lock.lock();
        }
    }
    if (stop_.stop_requested())
        return Taken::Stopped;
    if (nextIsListed()) {
        Entry& entry = entries_[nextToTake_++];
        next.server = std::move(entry.server);
        next.shares = std::move(*entry.shares);
        entry.shares.reset();
        return Taken::Listed;
    }
    if (woken_) {
        woken_ = false;
        return Taken::Woken;
    }
    return Taken::Drained;
}

bool ServerListingPool::MarkStalledListings()
{
    const Clock::time_point now = Clock::now();
    bool marked = false;
    for (std::size_t i = nextToTake_; i < nextToList_; ++i) {
        Entry& entry = entries_[i];
        if (!entry.shares && !entry.stalled && now - entry.started >= stallAfter_) {
            entry.stalled = true;
            ++stalledListings_;
            marked = true;
        }
    }
    return marked;
}

std::optional<ServerListingPool::Clock::time_point> ServerListingPool::NextStall() const
{
    std::optional<Clock::time_point> first;
    for (std::size_t i = nextToTake_; i < nextToList_; ++i) {
        const Entry& entry = entries_[i];
        if (!entry.shares && !entry.stalled && (!first || entry.started + stallAfter_ < *first))
            first = entry.started + stallAfter_;
    }
    return first;
}

void ServerListingPool::Wake()
{
    {
        const std::lock_guard lock(mutex_);
        woken_ = true;
    }
    changed_.notify_all();
}

void ServerListingPool::Work()
{
    // The thread's exception barrier. Nothing below throws once an entry is taken (entries of
    // a deque stay where they are as others are added), so no taken entry is left unlisted.
    try {
        for (;;) {
            Entry* entry = nullptr;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, stop_, [this] {
                    return closing_ || (nextToList_ < entries_.size() && AnsweringListings() < threadLimit_);
                });
                if (closing_ || stop_.stop_requested())
                    return;
                entry = &entries_[nextToList_++];
                entry->started = Clock::now();
                ++busyWorkers_;
            }
            changed_.notify_all();   // a taker waiting for this listing's stall time
            NetListing shares = ListOrFail(entry->server);
            {
                const std::lock_guard lock(mutex_);
                entry->shares = std::move(shares);
                --busyWorkers_;
                if (entry->stalled)
                    --stalledListings_;
            }
            changed_.notify_all();
        }
    } catch (...) {
        Logging::OutToLogFile("ServerListingPool - listing thread ended by an exception\n");
    }
}

NetListing ServerListingPool::ListOrFail(const std::string& server) const noexcept
{
    try {
        return listShares_(server);
    } catch (...) {
        NetListing failed;
        failed.error = ERROR_NOT_ENOUGH_MEMORY;
        return failed;
    }
}
