// Full disc searches over a simulated network of 200 servers x 50 shares, measured against a raw
// walk of the same network through the networking API and the same provider (the least any
// search must do):
//  1. without latency: the first full search, which adds every disc to an empty database, and
//     a second one, which finds nothing changed, against a whole raw walk;
//  2. with the cost of a real network (every share listing 50 ms, five dead servers that keep
//     the caller 3 s each): the first full search against a raw walk that lists one server
//     after another. That walk would take about 25 s by itself; its time is the walk of the
//     domains plus the sum of its share listings, so the bench times the domain walk, a sample
//     of live servers' listings and one dead server's listing on this network, and adds them
//     up for every server.
// Run by run-disc-search-bench.sh, which installs the simulated network in a prefix of its own
// and passes the description file (Windows path) in DISC_SEARCH_NETWORK_FILE.
#include "disc_search.h"

#include "cache/cache.h"
#include "search_user.h"
#include "side_by_side.h"
#include "support/temp_directory.h"

#include <windows.h>
#include <winnetwk.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kDomains = 10;
constexpr int kServers = 200;
constexpr int kSharesPerServer = 50;
constexpr int kRepeats = 3;
constexpr int kLatencyMs = 50;
constexpr int kTimeoutMs = 3000;
// Every fourth live server's listing is timed for the estimate of the sequential walk.
constexpr int kLiveSampleStep = 4;

using side_by_side::Clock;
using side_by_side::Median;
using side_by_side::Timings;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string ServerName(int s)
{
    return "SERVER" + std::to_string(s);
}

// The first server of every other domain: five servers spread evenly over the order in which a
// search meets them (domain after domain).
bool IsDead(int s)
{
    return s < kDomains && s % 2 == 1;
}

// Every fifth share is a Jaz disk by its comment, every tenth server has a hidden share too.
bool WriteNetwork(const std::string& path, bool costly)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (costly)
        file << "@latency " << kLatencyMs << "\n@timeout " << kTimeoutMs << "\n";
    for (int s = 0; s < kServers; ++s) {
        const std::string server = "DOMAIN" + std::to_string(s % kDomains) + "\\" + ServerName(s);
        if (costly && IsDead(s))
            file << server << "|Switched off @dead\n";
        for (int d = 0; d < kSharesPerServer; ++d)
            file << server << "\\DISC" << d << (d % 5 == 0 ? "|Jaz cartridge " : "|CD-ROM changer slot ") << d << "\n";
        if (s % 10 == 0)
            file << server << "\\ADMIN$|Remote admin\n";
    }
    return file.good();
}

// A server as the walk meets it, enough to list its shares.
struct WalkedServer {
    std::string remoteName;
    std::string provider;
    DWORD type;
    DWORD displayType;
    DWORD usage;
};

// The children of a container (null: the providers), read once, through the networking API.
template <class Visit>
void Enumerate(NETRESOURCEA* container, Visit visit)
{
    HANDLE enumeration = nullptr;
    if (::WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_DISK, 0, container, &enumeration) != NO_ERROR)
        return;
    std::vector<std::uintptr_t> buffer(16 * 1024 / sizeof(std::uintptr_t));
    for (;;) {
        DWORD count = 0xFFFFFFFF;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(std::uintptr_t));
        if (::WNetEnumResourceA(enumeration, &count, buffer.data(), &size) != NO_ERROR)
            break;
        auto* resources = reinterpret_cast<NETRESOURCEA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            visit(resources[i]);
    }
    ::WNetCloseEnum(enumeration);
}

// Provider, domains and their servers: the walk without the share listings.
std::vector<WalkedServer> WalkToServers()
{
    std::vector<WalkedServer> servers;
    Enumerate(nullptr, [&](NETRESOURCEA& provider) {
        Enumerate(&provider, [&](NETRESOURCEA& domain) {
            Enumerate(&domain, [&](const NETRESOURCEA& server) {
                servers.push_back({server.lpRemoteName, server.lpProvider ? server.lpProvider : "", server.dwType,
                                   server.dwDisplayType, server.dwUsage});
            });
        });
    });
    return servers;
}

size_t ListShares(const WalkedServer& server)
{
    NETRESOURCEA container{};
    container.dwScope = RESOURCE_GLOBALNET;
    container.dwType = server.type;
    container.dwDisplayType = server.displayType;
    container.dwUsage = server.usage;
    container.lpRemoteName = const_cast<char*>(server.remoteName.c_str());
    container.lpProvider = const_cast<char*>(server.provider.c_str());
    size_t shares = 0;
    Enumerate(&container, [&](const NETRESOURCEA&) { ++shares; });
    return shares;
}

// The whole raw walk; the number of shares it lists.
size_t WalkRaw()
{
    size_t shares = 0;
    for (const WalkedServer& server : WalkToServers())
        shares += ListShares(server);
    return shares;
}

bool IsDeadServer(const WalkedServer& server)
{
    for (int s = 0; s < kDomains; ++s) {
        if (IsDead(s) && server.remoteName == "\\\\" + ServerName(s))
            return true;
    }
    return false;
}

// What a raw walk that lists one server after another takes on the costly network: the domain
// walk, plus every live server at the mean of a sample of live listings, plus every dead server
// at the time of one dead listing (`deadListingMs`, the provider's time-out).
double EstimateSequentialWalk(double deadListingMs)
{
    const Clock::time_point start = Clock::now();
    const std::vector<WalkedServer> servers = WalkToServers();
    const double walkToServersMs = MillisecondsSince(start);
    double sampledMs = 0;
    int sampled = 0;
    int live = 0;
    for (const WalkedServer& server : servers) {
        if (IsDeadServer(server))
            continue;
        if (live++ % kLiveSampleStep == 0) {
            const Clock::time_point listing = Clock::now();
            ListShares(server);
            sampledMs += MillisecondsSince(listing);
            ++sampled;
        }
    }
    const int dead = static_cast<int>(servers.size()) - live;
    return walkToServersMs + live * (sampledMs / sampled) + dead * deadListingMs;
}

double TimeDeadListing()
{
    for (const WalkedServer& server : WalkToServers()) {
        if (IsDeadServer(server)) {
            const Clock::time_point start = Clock::now();
            ListShares(server);
            return MillisecondsSince(start);
        }
    }
    return 0;
}

struct SearchRun {
    double firstMs = 0;
    double secondMs = 0;
    size_t added = 0;
    size_t addedAgain = 0;
    size_t removed = 0;
};

// A full search into an empty database and, when asked, a second one over the filled database.
SearchRun Search(bool twice)
{
    TempDirectory folder;
    PrepareSearchUser(folder.Path());
    SearchRun run;
    Clock::time_point start = Clock::now();
    const SearchOutcome filled = RunDiscSearch(SearchKind::Full, {});
    run.firstMs = MillisecondsSince(start);
    run.added = filled.added.size();
    run.removed = filled.removed.size();
    if (twice) {
        start = Clock::now();
        const SearchOutcome again = RunDiscSearch(SearchKind::Full, {});
        run.secondMs = MillisecondsSince(start);
        run.addedAgain = again.added.size();
        run.removed += again.removed.size();
    }
    Cache(CacheServerUpdate, "").CompactDB();   // closes the file before its folder goes
    return run;
}

} // namespace

int main()
{
    const char* description = std::getenv("DISC_SEARCH_NETWORK_FILE");
    if (!description || !WriteNetwork(description, false)) {
        std::fprintf(stderr, "disc_search_bench: run it through bench/run-disc-search-bench.sh\n");
        return 2;
    }
    BrandingLoaded branding;
    if (!branding.IsLoaded()) {
        std::fprintf(stderr, "disc_search_bench: Skinset.dll not found\n");
        return 2;
    }

    std::vector<double> raw, first, second;
    size_t rawShares = 0;
    SearchRun plain;
    for (int round = 0; round < kRepeats; ++round) {
        const Clock::time_point start = Clock::now();
        rawShares = WalkRaw();
        raw.push_back(MillisecondsSince(start));
        plain = Search(true);
        first.push_back(plain.firstMs);
        second.push_back(plain.secondMs);
    }

    if (!WriteNetwork(description, true)) {
        std::fprintf(stderr, "disc_search_bench: cannot write the network\n");
        return 2;
    }
    const double deadListingMs = TimeDeadListing();
    std::vector<double> sequential, costly;
    SearchRun slow;
    for (int round = 0; round < kRepeats; ++round) {
        sequential.push_back(EstimateSequentialWalk(deadListingMs));
        slow = Search(false);
        costly.push_back(slow.firstMs);
    }

    std::printf("disc search over %d servers x %d shares (%zu shares listed raw), median of %d runs\n", kServers,
                kSharesPerServer, rawShares, kRepeats);
    side_by_side::Report("first full search, no latency (vs raw walk)", Timings{Median(first), Median(raw)}, 1.25);
    side_by_side::Report("second full search, no latency (vs raw walk)", Timings{Median(second), Median(raw)}, 1.25);
    std::printf("with @latency %d and 5 servers @dead (@timeout %d); one dead listing took %.0f ms\n", kLatencyMs,
                kTimeoutMs, deadListingMs);
    side_by_side::Report("first full search (vs sequential raw walk)", Timings{Median(costly), Median(sequential)}, 0.2);
    const size_t liveDiscs = static_cast<size_t>((kServers - 5) * kSharesPerServer);
    std::printf("added: %zu, again: %zu, removed: %zu; with latency added: %zu of %zu\n", plain.added,
                plain.addedAgain, plain.removed + slow.removed, slow.added, liveDiscs);
    const bool right = plain.added == static_cast<size_t>(kServers * kSharesPerServer) && plain.addedAgain == 0 &&
                       plain.removed == 0 && slow.removed == 0 && slow.added == liveDiscs;
    if (!right)
        std::printf("UNEXPECTED RESULT\n");
    return right ? 0 : 1;
}
