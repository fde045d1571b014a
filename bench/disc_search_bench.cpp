// A full disc search over a simulated network of 200 servers x 50 shares, measured against a
// raw walk of the same network through the networking API (the least any search must do):
//  1. the first full search, which adds every disc to an empty database;
//  2. a second full search, which finds nothing changed.
// Run by run-disc-search-bench.sh, which installs the simulated network in a prefix of its own
// and passes the description file (Windows path) in DISC_SEARCH_NETWORK_FILE.
#include "disc_search.h"

#include "cache/cache.h"
#include "search_user.h"
#include "support/temp_directory.h"

#include <windows.h>
#include <winnetwk.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kDomains = 10;
constexpr int kServers = 200;
constexpr int kSharesPerServer = 50;
constexpr int kRepeats = 3;

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Every fifth share is a Jaz disk by its comment, every tenth server has a hidden share too.
bool WriteNetwork(const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (int s = 0; s < kServers; ++s) {
        const std::string server = "DOMAIN" + std::to_string(s % kDomains) + "\\SERVER" + std::to_string(s);
        for (int d = 0; d < kSharesPerServer; ++d)
            file << server << "\\DISC" << d << (d % 5 == 0 ? "|Jaz cartridge " : "|CD-ROM changer slot ") << d << "\n";
        if (s % 10 == 0)
            file << server << "\\ADMIN$|Remote admin\n";
    }
    return file.good();
}

// The networking API alone: every domain, server and disk share, opened and read once.
size_t CountSharesRaw(NETRESOURCEA* container, int depth)
{
    HANDLE enumeration = nullptr;
    if (::WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_DISK, 0, container, &enumeration) != NO_ERROR)
        return 0;
    std::vector<std::uintptr_t> buffer(16 * 1024 / sizeof(std::uintptr_t));
    size_t shares = 0;
    for (;;) {
        DWORD count = 0xFFFFFFFF;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(std::uintptr_t));
        if (::WNetEnumResourceA(enumeration, &count, buffer.data(), &size) != NO_ERROR)
            break;
        auto* resources = reinterpret_cast<NETRESOURCEA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            if (depth == 3)
                ++shares;
            else
                shares += CountSharesRaw(&resources[i], depth + 1);
        }
    }
    ::WNetCloseEnum(enumeration);
    return shares;
}

void Report(const char* what, double measured, double baseline)
{
    std::printf("%-48s %9.1f ms  baseline %8.1f ms  ratio %5.2fx\n", what, measured, baseline, measured / baseline);
}

} // namespace

int main()
{
    const char* description = std::getenv("DISC_SEARCH_NETWORK_FILE");
    if (!description || !WriteNetwork(description)) {
        std::fprintf(stderr, "disc_search_bench: run it through bench/run-disc-search-bench.sh\n");
        return 2;
    }
    BrandingLoaded branding;
    if (!branding.IsLoaded()) {
        std::fprintf(stderr, "disc_search_bench: Skinset.dll not found\n");
        return 2;
    }

    std::vector<double> raw, first, second;
    size_t rawShares = 0, added = 0, unchangedAdded = 0, removed = 0;
    for (int round = 0; round < kRepeats; ++round) {
        Clock::time_point start = Clock::now();
        rawShares = CountSharesRaw(nullptr, 0);
        raw.push_back(Milliseconds(start));

        TempDirectory folder;
        PrepareSearchUser(folder.Path());
        const std::atomic<bool> stop{false};
        start = Clock::now();
        const SearchOutcome filled = RunDiscSearch(SearchKind::Full, stop);
        first.push_back(Milliseconds(start));
        start = Clock::now();
        const SearchOutcome again = RunDiscSearch(SearchKind::Full, stop);
        second.push_back(Milliseconds(start));
        added = filled.added.size();
        unchangedAdded = again.added.size();
        removed = filled.removed.size() + again.removed.size();
        Cache(CacheServerUpdate, "").CompactDB();   // closes the file before its folder goes
    }

    std::printf("disc search over %d servers x %d shares (%zu shares listed raw), median of %d runs\n", kServers,
                kSharesPerServer, rawShares, kRepeats);
    Report("raw walk of the network (baseline)", Median(raw), Median(raw));
    Report("first full search (every disc added)", Median(first), Median(raw));
    Report("second full search (nothing changed)", Median(second), Median(raw));
    std::printf("added by the first: %zu, by the second: %zu, removed: %zu\n", added, unchangedAdded, removed);
    const bool right = added == static_cast<size_t>(kServers * kSharesPerServer) && unchangedAdded == 0 && removed == 0;
    if (!right)
        std::printf("UNEXPECTED RESULT\n");
    return right ? 0 : 1;
}
