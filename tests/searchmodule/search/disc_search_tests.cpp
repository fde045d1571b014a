// Whole searches over the simulated network that run_disc_search_tests.sh installs in a Wine
// prefix of this program's own; the registry is the prefix's real one (the provider reads its
// settings from HKEY_LOCAL_MACHINE in this process, so it cannot be redirected).
// The agent's Winsock headers must come before anything that includes windows.h.
#include "service_agent.h"

#include "disc_search.h"

#include "cache/cache.h"
#include "search_user.h"
#include "support/other_connection.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// (server, share, item type) of a disc, for comparisons in any order.
using DiscKey = std::tuple<std::string, std::string, int>;

std::set<DiscKey> Keys(const std::vector<CacheItem>& discs)
{
    std::set<DiscKey> keys;
    for (const CacheItem& disc : discs)
        keys.insert({disc.Location, disc.Name, disc.ItemType});
    return keys;
}

std::vector<CacheItem> DatabaseDiscs()
{
    Cache allDiscs(CacheAllDiscs, "");
    std::vector<CacheItem> discs;
    for (CacheIterator it = allDiscs.Begin(); it != allDiscs.End(); ++it)
        discs.push_back(**it);
    return discs;
}

// Two domains of a few servers: a hidden share, a Jaz disk known by its comment, a server
// without discs.
const char* const kNetwork =
    "WORKGROUP\\ALPHA|Alpha file server\n"
    "WORKGROUP\\ALPHA\\MEDIA|Disc images\n"
    "WORKGROUP\\ALPHA\\DOCS\n"
    "WORKGROUP\\ALPHA\\ADMIN$|Remote admin\n"
    "WORKGROUP\\ALPHA\\BACKUP|Iomega jaz cartridge\n"
    "WORKGROUP\\BRAVO\\ARCHIVE|Old discs\n"
    "WORKGROUP\\BRAVO\\JAZ2\n"
    "WORKGROUP\\ECHO\\C$\n"
    "LAB\\CHARLIE\\CD1|Drive one\n"
    "LAB\\CHARLIE\\CD2|Drive two\n";

const std::set<DiscKey> kAllDiscs = {
    {"\\\\ALPHA", "MEDIA", CdRomDisc},     {"\\\\ALPHA", "DOCS", CdRomDisc},
    {"\\\\ALPHA", "BACKUP", JazDisc},      {"\\\\BRAVO", "ARCHIVE", CdRomDisc},
    {"\\\\BRAVO", "JAZ2", JazDisc},        {"\\\\CHARLIE", "CD1", CdRomDisc},
    {"\\\\CHARLIE", "CD2", CdRomDisc},
};

class DiscSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(branding.IsLoaded());
        const char* description = std::getenv("DISC_SEARCH_NETWORK_FILE");
        ASSERT_NE(description, nullptr) << "run through run_disc_search_tests.sh";
        descriptionFile_ = description;
        WriteNetwork(kNetwork);

        PrepareSearchUser(folder.Path());
    }

    void TearDown() override
    {
        // Closes every connection to the file, so that its folder can go.
        Cache(CacheServerUpdate, "").CompactDB();
        RegKey::CURRENT_USER.DeleteKey(kSearchUserKey);
    }

    // The provider reads the file again when it has changed.
    void WriteNetwork(const std::string& text)
    {
        std::ofstream file(descriptionFile_, std::ios::binary | std::ios::trunc);
        file << text;
        ASSERT_TRUE(file.good());
    }

    SearchOutcome Search(SearchKind kind, bool stopFirst = false)
    {
        std::stop_source stop;
        if (stopFirst)
            stop.request_stop();
        reported.clear();
        return RunDiscSearch(kind, stop.get_token(),
                             [this](SearchOutcome changes) { reported.push_back(std::move(changes)); });
    }

    // The server of each change told, in the order told.
    std::vector<std::string> ServersTold() const
    {
        std::vector<std::string> servers;
        for (const SearchOutcome& changes : reported)
            servers.push_back((changes.added.empty() ? changes.removed : changes.added).front().Location);
        return servers;
    }

    // What the progress callback was told, one entry per server that changed something.
    std::vector<SearchOutcome> reported;

    BrandingLoaded branding;
    TempDirectory folder;
    std::string descriptionFile_;
};

TEST_F(DiscSearchTest, FullSearchFillsTheDatabaseAndReportsOnlyNewDiscsAsAdded)
{
    const SearchOutcome first = Search(SearchKind::Full);
    EXPECT_EQ(Keys(first.added), kAllDiscs);
    EXPECT_TRUE(first.removed.empty());
    // Each server's discs were reported as soon as that server was written.
    std::vector<CacheItem> reportedDiscs;
    for (const SearchOutcome& changes : reported)
        reportedDiscs.insert(reportedDiscs.end(), changes.added.begin(), changes.added.end());
    EXPECT_EQ(Keys(reportedDiscs), kAllDiscs);
    EXPECT_GT(reported.size(), 1u);
    EXPECT_FALSE(first.stopped);
    EXPECT_EQ(first.serversScanned, 4);   // ECHO too, though it shares no disc
    for (const CacheItem& disc : first.added) {
        EXPECT_EQ(disc.FolderPath, "All Discs");
        EXPECT_EQ(disc.OriginalName, disc.Name);
        EXPECT_EQ(disc.Type, disc.ItemType == JazDisc ? "Jaz Disk" : "CD/DVD");
        if (disc.Name == "CD2") {
            EXPECT_EQ(disc.Comment, "Drive two");
        }
    }

    const std::vector<CacheItem> stored = DatabaseDiscs();
    EXPECT_EQ(Keys(stored), kAllDiscs);
    for (const CacheItem& disc : stored) {
        if (disc.Name == "BACKUP") {
            EXPECT_EQ(disc.Comment, "Iomega jaz cartridge");
        }
    }

    const SearchOutcome second = Search(SearchKind::Full);
    EXPECT_TRUE(second.added.empty());
    EXPECT_TRUE(second.removed.empty());
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(DatabaseDiscs().size(), kAllDiscs.size());
}

TEST_F(DiscSearchTest, FullSearchRemovesSharesAndServersThatAreGone)
{
    Search(SearchKind::Full);
    WriteNetwork("WORKGROUP\\ALPHA\\MEDIA|Disc images\n"
                 "WORKGROUP\\ALPHA\\BACKUP|Iomega jaz cartridge\n"
                 "WORKGROUP\\ALPHA\\NEWDISC\n"
                 "LAB\\CHARLIE\\CD1|Drive one\n"
                 "LAB\\CHARLIE\\CD2|Drive two\n");
    const SearchOutcome outcome = Search(SearchKind::Full);
    EXPECT_EQ(Keys(outcome.added), (std::set<DiscKey>{{"\\\\ALPHA", "NEWDISC", CdRomDisc}}));
    EXPECT_EQ(Keys(outcome.removed), (std::set<DiscKey>{{"\\\\ALPHA", "DOCS", CdRomDisc},
                                                        {"\\\\BRAVO", "ARCHIVE", CdRomDisc},
                                                        {"\\\\BRAVO", "JAZ2", JazDisc}}));
    EXPECT_EQ(Keys(DatabaseDiscs()), (std::set<DiscKey>{{"\\\\ALPHA", "MEDIA", CdRomDisc},
                                                         {"\\\\ALPHA", "BACKUP", JazDisc},
                                                         {"\\\\ALPHA", "NEWDISC", CdRomDisc},
                                                         {"\\\\CHARLIE", "CD1", CdRomDisc},
                                                         {"\\\\CHARLIE", "CD2", CdRomDisc}}));
}

TEST_F(DiscSearchTest, ADiscThatChangedItsTypeIsReplacedNotListedTwice)
{
    Search(SearchKind::Full);
    std::string network = kNetwork;
    network.replace(network.find("ARCHIVE|Old discs"), 17, "ARCHIVE|Old jaz disks");
    WriteNetwork(network);
    const SearchOutcome outcome = Search(SearchKind::Full);
    EXPECT_EQ(Keys(outcome.removed), (std::set<DiscKey>{{"\\\\BRAVO", "ARCHIVE", CdRomDisc}}));
    EXPECT_EQ(Keys(outcome.added), (std::set<DiscKey>{{"\\\\BRAVO", "ARCHIVE", JazDisc}}));
    std::set<DiscKey> expected = kAllDiscs;
    expected.erase({"\\\\BRAVO", "ARCHIVE", CdRomDisc});
    expected.insert({"\\\\BRAVO", "ARCHIVE", JazDisc});
    const std::vector<CacheItem> stored = DatabaseDiscs();
    EXPECT_EQ(stored.size(), expected.size());
    EXPECT_EQ(Keys(stored), expected);
}

// Another program's trigger keeps ALPHA's rows from being deleted, so that server's update rolls
// back at its end: none of its changes is told, while those of the other servers are.
TEST_F(DiscSearchTest, TheChangesOfAServerUpdateThatDoesNotCommitAreNotTold)
{
    Search(SearchKind::Full);
    OtherConnection(Cache(CacheServerUpdate, "").GetCacheFileName())
        .Execute("CREATE TRIGGER KeepAlpha BEFORE DELETE ON Items WHEN old.Location = '\\\\ALPHA'"
                 " BEGIN SELECT RAISE(ABORT, 'kept'); END;");
    std::string network = kNetwork;
    const std::string docs = "WORKGROUP\\ALPHA\\DOCS\n";
    network.replace(network.find(docs), docs.size(), "WORKGROUP\\ALPHA\\NEWDISC\n");
    network += "LAB\\CHARLIE\\CD3\n";
    WriteNetwork(network);

    const SearchOutcome outcome = Search(SearchKind::Full);
    const std::set<DiscKey> committed = {{"\\\\CHARLIE", "CD3", CdRomDisc}};
    EXPECT_EQ(Keys(outcome.added), committed);
    EXPECT_TRUE(outcome.removed.empty());
    std::vector<CacheItem> told;
    for (const SearchOutcome& changes : reported) {
        told.insert(told.end(), changes.added.begin(), changes.added.end());
        told.insert(told.end(), changes.removed.begin(), changes.removed.end());
    }
    EXPECT_EQ(Keys(told), committed);
    std::set<DiscKey> stored = kAllDiscs;
    stored.insert({"\\\\CHARLIE", "CD3", CdRomDisc});
    EXPECT_EQ(Keys(DatabaseDiscs()), stored);
}

TEST_F(DiscSearchTest, SelectedDomainsLimitTheFullSearchAndQuickSearchVisitsOnlyKnownServers)
{
    ChooseDomains({"workgroup"});   // names compare without regard to case
    const SearchOutcome full = Search(SearchKind::Full);
    std::set<DiscKey> workgroup = kAllDiscs;
    workgroup.erase({"\\\\CHARLIE", "CD1", CdRomDisc});
    workgroup.erase({"\\\\CHARLIE", "CD2", CdRomDisc});
    EXPECT_EQ(Keys(full.added), workgroup);
    EXPECT_EQ(Keys(DatabaseDiscs()), workgroup);

    // A new share on a known server, a new server, and a known server gone.
    WriteNetwork("WORKGROUP\\ALPHA\\MEDIA|Disc images\n"
                 "WORKGROUP\\ALPHA\\DOCS\n"
                 "WORKGROUP\\ALPHA\\BACKUP|Iomega jaz cartridge\n"
                 "WORKGROUP\\ALPHA\\EXTRA\n"
                 "WORKGROUP\\FOXTROT\\CD9\n"
                 "LAB\\CHARLIE\\CD1|Drive one\n");
    const SearchOutcome quick = Search(SearchKind::Quick);
    EXPECT_EQ(quick.serversScanned, 1);
    EXPECT_EQ(Keys(quick.added), (std::set<DiscKey>{{"\\\\ALPHA", "EXTRA", CdRomDisc}}));
    EXPECT_EQ(Keys(quick.removed), (std::set<DiscKey>{{"\\\\BRAVO", "ARCHIVE", CdRomDisc},
                                                      {"\\\\BRAVO", "JAZ2", JazDisc}}));
}

TEST_F(DiscSearchTest, AnUnreachableNetworkKeepsEveryDisc)
{
    Search(SearchKind::Full);
    ASSERT_TRUE(::DeleteFileA(descriptionFile_.c_str()));   // the provider answers ERROR_NO_NETWORK

    for (SearchKind kind : {SearchKind::Full, SearchKind::Quick}) {
        const SearchOutcome outcome = Search(kind);
        EXPECT_TRUE(outcome.added.empty());
        EXPECT_TRUE(outcome.removed.empty());
        EXPECT_EQ(Keys(DatabaseDiscs()), kAllDiscs);
    }
}

TEST_F(DiscSearchTest, AStopRequestEndsTheSearchBeforeItChangesAnything)
{
    Search(SearchKind::Full);
    WriteNetwork("LAB\\CHARLIE\\CD1|Drive one\n");
    const SearchOutcome outcome = Search(SearchKind::Full, true);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.serversScanned, 0);
    EXPECT_TRUE(outcome.removed.empty());
    EXPECT_EQ(Keys(DatabaseDiscs()), kAllDiscs);
}

TEST_F(DiscSearchTest, SearchStringsOfTheSettingsDecideWhichSharesAreDiscs)
{
    RegKey::CURRENT_USER.CreateKey(kDiscSearchKey + "\\CD-ROM\\SMB Search Strings").SetStringValue("1", "images");
    RegKey::CURRENT_USER.CreateKey(kDiscSearchKey + "\\CD-ROM\\SMB Search Strings").SetStringValue("DRIVE", "");
    RegKey::CURRENT_USER.CreateKey(kDiscSearchKey + "\\Jaz Disk\\SMB Search Strings").SetStringValue("1", "archive");
    const SearchOutcome outcome = Search(SearchKind::Full);
    EXPECT_EQ(Keys(outcome.added), (std::set<DiscKey>{{"\\\\ALPHA", "MEDIA", CdRomDisc},
                                                      {"\\\\BRAVO", "ARCHIVE", JazDisc},
                                                      {"\\\\CHARLIE", "CD1", CdRomDisc},
                                                      {"\\\\CHARLIE", "CD2", CdRomDisc}}));
}

TEST_F(DiscSearchTest, FullSearchScansStorageServersThatSlpFinds)
{
    ChooseDomains({"LAB"});
    ServiceAgent agent({{"service:lumivex.orvek://127.0.0.1/one", "(TYPE=CDS),(SMB NAME=BRAVO)"},
                        {"service:lumivex.orvek://127.0.0.1/two", "(TYPE=CDS),(SMB NAME=charlie)"},
                        {"service:lumivex.orvek://127.0.0.1/bad", "(TYPE=CDS),(SMB NAME=a\\5cb)"}});
    ConfigureSlpAgents("127.0.0.1:" + std::to_string(agent.Port()));
    const SearchOutcome outcome = Search(SearchKind::Full);
    // CHARLIE comes through its domain and again by SLP in another case: scanned once.
    EXPECT_EQ(outcome.serversScanned, 2);
    EXPECT_EQ(Keys(outcome.added), (std::set<DiscKey>{{"\\\\BRAVO", "ARCHIVE", CdRomDisc},
                                                      {"\\\\BRAVO", "JAZ2", JazDisc},
                                                      {"\\\\CHARLIE", "CD1", CdRomDisc},
                                                      {"\\\\CHARLIE", "CD2", CdRomDisc}}));
}

// `count` servers S00, S01, ... of one domain, each sharing CD1 and the shares named in
// `shares`, after the lines in `head`.
std::string NumberedServers(int count, const std::string& head = "", const std::string& shares = "")
{
    std::string network = head;
    for (int i = 0; i < count; ++i) {
        const std::string server = std::string("WORKGROUP\\S") + (i < 10 ? "0" : "") + std::to_string(i);
        network += server + "\\CD1\n";
        for (char share : shares)
            network += server + "\\CD" + share + "\n";
    }
    return network;
}

// The first server's listing now fails only after a time-out, so listings end out of order;
// the database is still written and the changes told server after server in their order.
TEST_F(DiscSearchTest, ServersAreWrittenInTheirOrderWhileSeveralAreListedAtOnce)
{
    WriteNetwork(NumberedServers(12));
    Search(SearchKind::Full);
    std::string network = NumberedServers(12, "@latency 300\n@timeout 1500\n", "2");
    const std::string newShareOfTheFirst = "WORKGROUP\\S00\\CD2\n";
    network.replace(network.find(newShareOfTheFirst), newShareOfTheFirst.size(), "WORKGROUP\\S00|First server @dead\n");
    WriteNetwork(network);
    Clock::time_point start = Clock::now();
    Search(SearchKind::Full);
    const long long took = MillisecondsSince(start);
    std::vector<std::string> expected;
    for (int i = 0; i < 12; ++i)
        expected.push_back(std::string("\\\\S") + (i < 10 ? "0" : "") + std::to_string(i));
    EXPECT_EQ(ServersTold(), expected);
    EXPECT_EQ(reported.front().removed.size(), 1u);
    // Listed one after another, the search would take 1500 + 11 x 300 ms.
    EXPECT_GE(took, 1500);
    EXPECT_LT(took, 1500 + 11 * 300);

    // The machine may have a search list one server at a time.
    SetListingThreads(1);
    WriteNetwork(NumberedServers(12, "@latency 300\n", "3"));
    start = Clock::now();
    Search(SearchKind::Full);
    EXPECT_GE(MillisecondsSince(start), 12 * 300);
    EXPECT_EQ(ServersTold(), expected);
}

// Neither the listings still queued nor an SLP search still waiting for answers hold it up.
TEST_F(DiscSearchTest, AStopDuringTheSearchEndsItWithinOneListingsTime)
{
    SetListingThreads(2);
    WriteNetwork(NumberedServers(20, "@latency 1000\n"));
    AgentBehaviour silent;
    silent.ignoredRequests = 1000;
    ServiceAgent agent({}, silent);
    ConfigureSlpAgents("127.0.0.1:" + std::to_string(agent.Port()));
    const RegKey slpSettings = RegKey::LOCAL_MACHINE.CreateKey(slp_ua::kConfigKeyPath);
    slpSettings.SetStringValue("Timeouts", "5000");
    slpSettings.SetDWORDValue("Maximum Wait", 15000);
    std::stop_source stop;
    Clock::time_point stopped;
    const SearchOutcome outcome = RunDiscSearch(SearchKind::Full, stop.get_token(), [&](SearchOutcome) {
        if (!stop.stop_requested()) {
            stopped = Clock::now();
            stop.request_stop();
        }
    });
    // Only the listings under way when the stop came were waited for.
    EXPECT_LT(MillisecondsSince(stopped), 1000 + 1500);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.serversScanned, 1);
    EXPECT_EQ(Keys(DatabaseDiscs()), (std::set<DiscKey>{{"\\\\S00", "CD1", CdRomDisc}}));
}

} // namespace
