#include "disc_search.h"

#include "cache/cache.h"
#include "disc_type_rule.h"
#include "known_discs.h"
#include "logging/logging.h"
#include "network_resources.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "search_settings.h"
#include "server_listing_pool.h"
#include "storage_server_finder.h"
#include "upper_text.h"

#include <optional>
#include <unordered_set>

namespace {

// One search: the servers it visits, what it changes in the database, and when it must stop.
class DiscSearchRun {
public:
    DiscSearchRun(SearchKind kind, std::stop_token stop, const SearchProgress& progress)
        : kind_(kind), stop_(std::move(stop)), progress_(progress), rule_(DiscTypeRule::FromUserSettings())
    {
    }

    SearchOutcome Run();

private:
    bool Prepare(Cache& cache);
    void RunQuick(ServerListingPool& pool);
    void RunFull(ServerListingPool& pool, const SearchSettings& settings);
    // Queues the Windows network's servers of the chosen domains; false when a listing failed,
    // so that not finding a server proves nothing.
    bool QueueChosenDomains(ServerListingPool& pool, const SearchSettings& settings);
    // Queues a server not visited yet: it is listed when the network can be asked.
    void Queue(ServerListingPool& pool, const std::string& server);
    // Takes the servers' listings in the order they were queued and writes each; with `slp`,
    // the storage servers it finds are queued once it has ended.
    void WriteListings(ServerListingPool& pool, StorageServerSearch* slp);
    void WriteListing(const std::string& server, const NetListing& shares);
    // One server update of the database.
    void WriteServer(const std::string& server, const std::vector<CacheItem>& discs);
    void RemoveServer(const std::string& server);
    // Adds what a server update removed to the outcome and reports the server's changes.
    void TakeRemoved(std::vector<CacheItem>& removed);
    // Hands the changes not yet reported to the progress callback.
    void ReportChanges();
    bool NetworkReady();
    bool StopRequested();
    bool IsInDatabase(const std::string& server) const { return databaseServers_.count(UpperText(server)) != 0; }

    const SearchKind kind_;
    const std::stop_token stop_;
    const SearchProgress& progress_;
    const DiscTypeRule rule_;
    Cache* cache_ = nullptr;
    KnownDiscs known_;
    std::vector<std::string> serverList_;               // the database's, in its order
    std::unordered_set<std::string> databaseServers_;   // the same, upper case
    std::unordered_set<std::string> visited_;           // upper case
    WindowsNetwork network_;
    bool networkTried_ = false;
    DWORD networkError_ = NO_ERROR;
    std::string allDiscsFolder_;
    SearchOutcome outcome_;
    size_t reportedAdded_ = 0;
    size_t reportedRemoved_ = 0;
};

bool DiscSearchRun::StopRequested()
{
    if (stop_.stop_requested())
        outcome_.stopped = true;
    return outcome_.stopped;
}

bool DiscSearchRun::NetworkReady()
{
    if (!networkTried_) {
        networkTried_ = true;
        networkError_ = WindowsNetwork::Open(network_);
        if (networkError_ != NO_ERROR)
            LogFormatted("RunDiscSearch() - no Microsoft Windows Network: error %d\n", static_cast<int>(networkError_));
    }
    return networkError_ == NO_ERROR;
}

bool DiscSearchRun::Prepare(Cache& cache)
{
    if (cache.GetStatus() != CacheServerUpdate) {
        Logging::OutToLogFile("RunDiscSearch() - cache not available\n");
        return false;
    }
    cache_ = &cache;
    allDiscsFolder_ = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);
    known_ = KnownDiscs::ReadDatabase();
    cache.GetServerList(serverList_);
    for (const std::string& server : serverList_)
        databaseServers_.insert(UpperText(server));
    return true;
}

SearchOutcome DiscSearchRun::Run()
{
    try {
        Logging::OutToLogFile(kind_ == SearchKind::Full ? "RunDiscSearch() - full search\n"
                                                        : "RunDiscSearch() - quick search\n");
        Cache cache(CacheServerUpdate, "");
        if (!Prepare(cache))
            return std::move(outcome_);
        const SearchSettings settings = SearchSettings::ReadForCurrentUser();
        LogFormatted("RunDiscSearch() - %d servers listed at once\n", static_cast<int>(settings.listingThreads));
        ServerListingPool pool(
            settings.listingThreads, [this](const std::string& server) { return network_.DiskShares(server); }, stop_);
        if (kind_ == SearchKind::Full)
            RunFull(pool, settings);
        else
            RunQuick(pool);
        LogFormatted("RunDiscSearch() - %d servers, %d added, %d removed%s\n", outcome_.serversScanned,
                     static_cast<int>(outcome_.added.size()), static_cast<int>(outcome_.removed.size()),
                     std::string(outcome_.stopped ? ", stopped" : ""));
    } catch (const std::exception& error) {
        LogFormatted("RunDiscSearch() - Exception caught: %s \n", error.what());
    } catch (...) {
        Logging::OutToLogFile("RunDiscSearch() - unknown exception\n");
    }
    cache_ = nullptr;
    return std::move(outcome_);
}

void DiscSearchRun::RunQuick(ServerListingPool& pool)
{
    for (const std::string& server : serverList_)
        Queue(pool, server);
    WriteListings(pool, nullptr);
}

void DiscSearchRun::RunFull(ServerListingPool& pool, const SearchSettings& settings)
{
    if (StopRequested())
        return;
    // Finding storage servers by SLP mostly waits for replies: it runs while the networks are
    // listed. Made after the pool, which it wakes, so that it goes first.
    StorageServerSearch slp([&pool] { pool.Wake(); });
    // Servers the search does not find are dropped only when every chosen network was
    // listed in full: a network that failed to answer must not empty the database.
    bool complete = true;
    if (settings.windowsNetwork)
        complete = QueueChosenDomains(pool, settings);
    if (settings.netWare) {
        Logging::OutToLogFile("RunDiscSearch() - NetWare Network not searched\n");
        complete = false;
    }
    WriteListings(pool, &slp);
    if (!complete || StopRequested())
        return;
    for (const std::string& server : serverList_) {
        if (!visited_.count(UpperText(server)))
            RemoveServer(server);
    }
}

bool DiscSearchRun::QueueChosenDomains(ServerListingPool& pool, const SearchSettings& settings)
{
    if (!settings.entireNetwork && settings.domains.empty())
        Logging::OutToLogFile("RunDiscSearch() - no SMB domain chosen\n");
    if (!NetworkReady())
        return false;
    const NetListing domains = network_.Domains();
    bool complete = domains.Complete();
    if (!complete)
        LogFormatted("RunDiscSearch() - domains: error %d\n", static_cast<int>(domains.error));
    for (const NetResource& domain : domains.entries) {
        if (!settings.CoversDomain(domain.remoteName))
            continue;
        if (StopRequested())
            return false;
        const NetListing servers = network_.Servers(domain.remoteName);
        if (!servers.Complete()) {
            LogFormatted("RunDiscSearch() - %s: error %d\n", domain.remoteName, static_cast<int>(servers.error));
            complete = false;
        }
        for (const NetResource& server : servers.entries)
            Queue(pool, server.remoteName);
    }
    return complete;
}

void DiscSearchRun::Queue(ServerListingPool& pool, const std::string& server)
{
    if (!visited_.insert(UpperText(server)).second)
        return;
    if (NetworkReady())
        pool.Submit(server);
    // else the server keeps its discs
}

void DiscSearchRun::WriteListings(ServerListingPool& pool, StorageServerSearch* slp)
{
    for (;;) {
        if (slp && slp->Finished()) {
            const std::vector<std::string> servers = slp->TakeServers();
            LogFormatted("RunDiscSearch() - SLP found %d servers\n", static_cast<int>(servers.size()));
            for (const std::string& server : servers)
                Queue(pool, server);
            slp = nullptr;
        }
        ServerListingPool::Listed next;
        switch (pool.TakeNext(next, slp != nullptr)) {
        case ServerListingPool::Taken::Listed:
            WriteListing(next.server, next.shares);
            break;
        case ServerListingPool::Taken::Stopped:
            outcome_.stopped = true;
            return;
        case ServerListingPool::Taken::Drained:
            return;
        case ServerListingPool::Taken::Woken:
            break;
        }
    }
}

void DiscSearchRun::WriteListing(const std::string& server, const NetListing& shares)
{
    if (IsServerGone(shares.error)) {
        LogFormatted("RunDiscSearch() - %s gone\n", server);
        RemoveServer(server);
        return;
    }
    if (!shares.Complete()) {
        LogFormatted("RunDiscSearch() - %s: error %d, discs kept\n", server, static_cast<int>(shares.error));
        return;
    }
    const std::string cdRomType = CommonText(IDS_TYPE_CD_DVD);
    const std::string jazType = CommonText(IDS_TYPE_JAZ_DISK);
    std::vector<CacheItem> discs;
    discs.reserve(shares.entries.size());
    for (const NetResource& share : shares.entries) {
        const std::string name = ShareNameOf(share.remoteName);
        const std::optional<ListItemType> type = rule_.Classify(name, share.comment);
        if (!type)
            continue;
        CacheItem disc;
        disc.Name = disc.OriginalName = name;
        disc.Location = server;
        disc.Comment = share.comment;
        disc.ItemType = *type;
        disc.Type = *type == JazDisc ? jazType : cdRomType;
        disc.FolderPath = allDiscsFolder_;
        discs.push_back(std::move(disc));
    }
    ++outcome_.serversScanned;
    if (discs.empty() && !IsInDatabase(server))
        return;   // nothing to write and nothing to take away
    WriteServer(server, discs);
}

void DiscSearchRun::WriteServer(const std::string& server, const std::vector<CacheItem>& discs)
{
    if (!cache_->StartingWithNewServer(server)) {
        LogFormatted("RunDiscSearch() - %s not updated\n", server);
        return;
    }
    // What the update changes is told only once it has committed: an update rolled back
    // changed nothing.
    std::vector<CacheItem> added;
    std::vector<CacheItem> replaced;
    KnownDiscs addedHere;
    for (const CacheItem& disc : discs) {
        if (!cache_->AddServerMedia(disc) || known_.Contains(disc) || addedHere.Contains(disc))
            continue;
        // The database keeps one row per disc and takes a new type into it; views find rows by
        // name and server, so they see the disc of the old type go and the new one come.
        if (const std::optional<ListItemType> oldType = known_.StoredType(disc)) {
            CacheItem old(disc);
            old.ItemType = *oldType;
            replaced.push_back(std::move(old));
        }
        added.push_back(disc);
        addedHere.Insert(disc);
    }
    std::vector<CacheItem> removed;
    cache_->DoneWithServer(server, removed);
    if (!cache_->ServerUpdateCommitted()) {
        LogFormatted("RunDiscSearch() - %s not updated\n", server);
        return;
    }
    for (CacheItem& disc : replaced)
        outcome_.removed.push_back(std::move(disc));
    for (CacheItem& disc : added) {
        known_.Insert(disc);
        outcome_.added.push_back(std::move(disc));
    }
    TakeRemoved(removed);
}

void DiscSearchRun::RemoveServer(const std::string& server)
{
    if (!IsInDatabase(server))
        return;
    std::vector<CacheItem> removed;
    cache_->RemoveServer(server, removed);
    TakeRemoved(removed);
}

void DiscSearchRun::TakeRemoved(std::vector<CacheItem>& removed)
{
    for (CacheItem& disc : removed) {
        disc.FolderPath = allDiscsFolder_;
        outcome_.removed.push_back(std::move(disc));
    }
    ReportChanges();
}

void DiscSearchRun::ReportChanges()
{
    if (!progress_)
        return;
    SearchOutcome changes;
    changes.added.assign(outcome_.added.begin() + static_cast<std::ptrdiff_t>(reportedAdded_), outcome_.added.end());
    changes.removed.assign(outcome_.removed.begin() + static_cast<std::ptrdiff_t>(reportedRemoved_),
                           outcome_.removed.end());
    reportedAdded_ = outcome_.added.size();
    reportedRemoved_ = outcome_.removed.size();
    if (!changes.added.empty() || !changes.removed.empty())
        progress_(std::move(changes));
}

} // namespace

SearchOutcome RunDiscSearch(SearchKind kind, std::stop_token stop, const SearchProgress& progress)
{
    try {
        DiscSearchRun run(kind, stop, progress);
        return run.Run();
    } catch (...) {
        Logging::OutToLogFile("RunDiscSearch() - could not start\n");
        return {};
    }
}
