// The simulated network as programs see it through mpr: run by run_simulated_network_tests.sh
// in a scratch Wine prefix where the provider serves network.txt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "network_description.h"
#include "simulated_network.h"
#include "support/temp_directory.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

constexpr char kProviderName[] = "Microsoft Windows Network";

ListedResource FindByName(const std::vector<ListedResource>& resources, const std::string& name)
{
    for (const ListedResource& resource : resources) {
        if (resource.remoteName == name) return resource;
    }
    ADD_FAILURE() << name << " not listed";
    return {};
}

ListedResource OurProvider()
{
    return FindByName(ListChildren(nullptr), kProviderName);
}

std::string Connection(const std::string& localName)
{
    char remote[MAX_PATH] = {};
    DWORD size = sizeof(remote);
    DWORD result = WNetGetConnectionA(localName.c_str(), remote, &size);
    return result == NO_ERROR ? remote : "error " + std::to_string(result);
}

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

ListedResource ServerResource(const std::string& name)
{
    return {"\\\\" + name, "", kProviderName, RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER};
}

// Where the harness made the unc tree, as a Windows path.
std::string UncRoot()
{
    const char* root = std::getenv("SIMNET_UNC_ROOT");
    return root ? root : "";
}

}  // namespace

TEST(SimulatedNetworkEnumeration, WalksProviderDomainsServersAndShares)
{
    ListedResource provider = OurProvider();
    EXPECT_EQ(provider.displayType, static_cast<DWORD>(RESOURCEDISPLAYTYPE_NETWORK));

    std::vector<ListedResource> domains = ListChildren(&provider);
    ASSERT_THAT(RemoteNames(domains), ElementsAre("WORKGROUP", "LAB"));
    for (const ListedResource& domain : domains) {
        EXPECT_EQ(domain.displayType, static_cast<DWORD>(RESOURCEDISPLAYTYPE_DOMAIN)) << domain.remoteName;
        EXPECT_EQ(domain.provider, kProviderName);
    }

    std::vector<ListedResource> servers = ListChildren(&domains[0]);
    ASSERT_THAT(RemoteNames(servers), ElementsAre("\\\\ALPHA", "\\\\BRAVO"));
    ListedResource alpha = FindByName(servers, "\\\\ALPHA");
    EXPECT_EQ(alpha.displayType, static_cast<DWORD>(RESOURCEDISPLAYTYPE_SERVER));
    EXPECT_EQ(alpha.comment, "Alpha file server");
    EXPECT_THAT(RemoteNames(ListChildren(&domains[1])), ElementsAre("\\\\CHARLIE"));

    std::vector<ListedResource> shares = ListChildren(&alpha);
    EXPECT_THAT(RemoteNames(shares), ElementsAre("\\\\ALPHA\\MEDIA", "\\\\ALPHA\\DOCS"));
    ListedResource media = FindByName(shares, "\\\\ALPHA\\MEDIA");
    EXPECT_EQ(media.type, static_cast<DWORD>(RESOURCETYPE_DISK));
    EXPECT_EQ(media.displayType, static_cast<DWORD>(RESOURCEDISPLAYTYPE_SHARE));
    EXPECT_EQ(media.usage, static_cast<DWORD>(RESOURCEUSAGE_CONNECTABLE));
    EXPECT_EQ(media.comment, "Disc images");
    EXPECT_EQ(FindByName(shares, "\\\\ALPHA\\DOCS").comment, "");
}

TEST(SimulatedNetworkEnumeration, ReportsTheMicrosoftWindowsNetwork)
{
    NETINFOSTRUCT info{};
    info.cbStructure = sizeof(info);
    ASSERT_EQ(WNetGetNetworkInformationA(kProviderName, &info), static_cast<DWORD>(NO_ERROR));
    WORD netType = info.wNetType;
#ifdef _WIN64
    // Wine 8 fills the structure with a 4-byte dwHandle, so on 64-bit its wNetType lands where
    // dwHandle's upper half is declared; on 32-bit both layouts agree.
    if (netType == 0xFFFF) std::memcpy(&netType, reinterpret_cast<const BYTE*>(&info) + 20, sizeof(netType));
#endif
    EXPECT_EQ(netType, 2);  // WNNC_NET_LANMAN >> 16
}

TEST(SimulatedNetworkEnumeration, SmallBuffersTakeTheEntriesOneByOne)
{
    NETRESOURCEW server{};
    server.dwScope = RESOURCE_GLOBALNET;
    server.dwDisplayType = RESOURCEDISPLAYTYPE_SERVER;
    server.dwUsage = RESOURCEUSAGE_CONTAINER;
    server.lpRemoteName = const_cast<wchar_t*>(L"\\\\ALPHA");
    server.lpProvider = const_cast<wchar_t*>(L"Microsoft Windows Network");
    HANDLE enumeration = nullptr;
    ASSERT_EQ(WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_DISK, 0, &server, &enumeration),
              static_cast<DWORD>(NO_ERROR));

    std::vector<BYTE> buffer(sizeof(NETRESOURCEW) + 8);
    DWORD count = 0xFFFFFFFF;
    DWORD size = static_cast<DWORD>(buffer.size());
    ASSERT_EQ(WNetEnumResourceW(enumeration, &count, buffer.data(), &size), static_cast<DWORD>(ERROR_MORE_DATA));
    // The size asked for holds the first share with its strings, and only that one.
    ASSERT_GT(size, sizeof(NETRESOURCEW));
    buffer.assign(size, 0);
    std::vector<std::wstring> names;
    for (DWORD result = NO_ERROR; result == NO_ERROR;) {
        count = 0xFFFFFFFF;
        DWORD available = static_cast<DWORD>(buffer.size());
        result = WNetEnumResourceW(enumeration, &count, buffer.data(), &available);
        if (result != NO_ERROR) {
            EXPECT_EQ(result, static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
            break;
        }
        ASSERT_EQ(count, 1u);
        names.push_back(reinterpret_cast<const NETRESOURCEW*>(buffer.data())->lpRemoteName);
        buffer.assign(buffer.size() + 64, 0);  // more room, yet less than two entries need
    }
    WNetCloseEnum(enumeration);
    EXPECT_THAT(names, ElementsAre(L"\\\\ALPHA\\MEDIA", L"\\\\ALPHA\\DOCS"));
}

TEST(SimulatedNetworkEnumeration, UnknownContainersCannotBeOpened)
{
    EXPECT_EQ(OpenEnumError("\\\\NOSUCH", RESOURCEDISPLAYTYPE_SERVER), static_cast<DWORD>(ERROR_BAD_NET_NAME));
    EXPECT_EQ(OpenEnumError("NODOMAIN", RESOURCEDISPLAYTYPE_DOMAIN), static_cast<DWORD>(ERROR_BAD_NET_NAME));
}

TEST(SimulatedNetworkEnumeration, ContextScopeListsNothingOfTheProvider)
{
    HANDLE enumeration = nullptr;
    DWORD opened = WNetOpenEnumA(RESOURCE_CONTEXT, RESOURCETYPE_ANY, 0, nullptr, &enumeration);
    if (opened != NO_ERROR) return;  // no context listing at all is as good as an empty one
    std::vector<BYTE> buffer(16384);
    DWORD count = 0xFFFFFFFF;
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD result = WNetEnumResourceA(enumeration, &count, buffer.data(), &size);
    WNetCloseEnum(enumeration);
    if (result != NO_ERROR) return;
    const auto* resources = reinterpret_cast<const NETRESOURCEA*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        std::string name = resources[i].lpRemoteName ? resources[i].lpRemoteName : "";
        EXPECT_EQ(name.find("ALPHA"), std::string::npos) << name;
    }
}

TEST(SimulatedNetworkDrives, MapsALetterOntoTheShareAndUnmapsIt)
{
    char letter = FreeDriveLetter();
    ASSERT_NE(letter, 0);
    std::string uncRoot = UncRoot();
    ASSERT_FALSE(uncRoot.empty()) << "run through run_simulated_network_tests.sh";
    std::string placed = uncRoot + "\\ALPHA\\MEDIA\\placed.txt";
    { std::ofstream(placed) << "from the server"; }

    {
        MappedDrive drive(letter, "\\\\alpha\\media");  // names compare without regard to case
        ASSERT_EQ(drive.Result(), static_cast<DWORD>(NO_ERROR));
        EXPECT_EQ(GetDriveTypeA(drive.Root().c_str()), static_cast<UINT>(DRIVE_REMOTE));
        EXPECT_EQ(Connection(drive.LocalName()), "\\\\ALPHA\\MEDIA");
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((drive.Root() + "placed.txt").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        FindClose(search);
        EXPECT_EQ(ReadWholeFile(drive.Root() + "placed.txt"), "from the server");

        EXPECT_EQ(WNetCancelConnection2A(drive.LocalName().c_str(), 0, TRUE), static_cast<DWORD>(NO_ERROR));
        EXPECT_EQ(GetDriveTypeA(drive.Root().c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
        EXPECT_EQ(WNetCancelConnection2A(drive.LocalName().c_str(), 0, TRUE), static_cast<DWORD>(ERROR_NOT_CONNECTED));
    }
    DeleteFileA(placed.c_str());
}

TEST(SimulatedNetworkDrives, RefusesALetterInUse)
{
    char letter = FreeDriveLetter();
    ASSERT_NE(letter, 0);
    MappedDrive drive(letter, "\\\\ALPHA\\MEDIA");
    ASSERT_EQ(drive.Result(), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(AddConnection(drive.LocalName(), "\\\\BRAVO\\ARCHIVE"), static_cast<DWORD>(ERROR_ALREADY_ASSIGNED));
    EXPECT_EQ(Connection(drive.LocalName()), "\\\\ALPHA\\MEDIA");
    EXPECT_EQ(AddConnection("C:", "\\\\BRAVO\\ARCHIVE"), static_cast<DWORD>(ERROR_ALREADY_ASSIGNED));
}

TEST(SimulatedNetworkDrives, RefusesNamesTheNetworkDoesNotHave)
{
    char letter = FreeDriveLetter();
    ASSERT_NE(letter, 0);
    std::string localName = std::string(1, letter) + ":";
    EXPECT_EQ(AddConnection(localName, "\\\\ALPHA\\NOSUCH"), static_cast<DWORD>(ERROR_BAD_NET_NAME));
    EXPECT_EQ(AddConnection(localName, "\\\\NOSUCH\\MEDIA"), static_cast<DWORD>(ERROR_BAD_NETPATH));
    EXPECT_EQ(AddConnection(localName, "\\\\ALPHA"), static_cast<DWORD>(ERROR_BAD_NET_NAME));
    EXPECT_EQ(AddConnection("QQ", "\\\\ALPHA\\MEDIA"), static_cast<DWORD>(ERROR_BAD_DEVICE));
    EXPECT_EQ(GetDriveTypeA((localName + "\\").c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(WNetCancelConnection2A(localName.c_str(), 0, TRUE), static_cast<DWORD>(ERROR_NOT_CONNECTED));
}

TEST(SimulatedNetworkDrives, ConnectsToAShareWithoutALetter)
{
    DWORD drivesBefore = GetLogicalDrives();
    EXPECT_EQ(AddConnection("", "\\\\CHARLIE\\CD1"), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(GetLogicalDrives(), drivesBefore);
    EXPECT_EQ(AddConnection("", "\\\\CHARLIE\\CD2"), static_cast<DWORD>(ERROR_BAD_NET_NAME));
}

TEST(SimulatedNetworkDescription, DamagedFileYieldsOnlyItsGoodLines)
{
    // Over-long line, no server, empty share name, too many parts, server name too long, bad
    // characters, '|' in a comment, a server of another domain, a share listed twice, bad
    // settings; the good lines around them (the first with CRLF, the last without a line
    // break) remain.
    const char* path = std::getenv("SIMNET_DAMAGED_DESCRIPTION");
    ASSERT_NE(path, nullptr) << "run through run_simulated_network_tests.sh";
    DescriptionOverride description(path);

    ListedResource provider = OurProvider();
    std::vector<ListedResource> domains = ListChildren(&provider);
    ASSERT_THAT(RemoteNames(domains), ElementsAre("GOOD"));
    std::vector<ListedResource> servers = ListChildren(&domains[0]);
    ASSERT_THAT(RemoteNames(servers), ElementsAre("\\\\ONE"));
    std::vector<ListedResource> shares = ListChildren(&servers[0]);
    EXPECT_THAT(RemoteNames(shares), ElementsAre("\\\\ONE\\SHARE1", "\\\\ONE\\SHARE4"));
    EXPECT_EQ(FindByName(shares, "\\\\ONE\\SHARE1").comment, "kept");
}

TEST(SimulatedNetworkDescription, MissingFileMeansNoNetwork)
{
    TempDirectory directory;
    DescriptionOverride description(directory.File("absent.txt"));
    ListedResource provider = OurProvider();
    NETRESOURCEA parent{};
    parent.dwScope = RESOURCE_GLOBALNET;
    parent.dwDisplayType = provider.displayType;
    parent.dwUsage = provider.usage;
    parent.lpRemoteName = provider.remoteName.data();
    parent.lpProvider = provider.provider.data();
    HANDLE enumeration = nullptr;
    EXPECT_NE(WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, &parent, &enumeration),
              static_cast<DWORD>(NO_ERROR));
    EXPECT_NE(AddConnection("", "\\\\ALPHA\\MEDIA"), static_cast<DWORD>(NO_ERROR));
}

TEST(SimulatedNetworkDescription, CostsAndDeadServersAreReadFromTheirLines)
{
    using simnet::NetworkDescription;
    const NetworkDescription defaults = NetworkDescription::Parse("W\\A\\S\n");
    EXPECT_EQ(defaults.LatencyMs(), 0u);
    EXPECT_EQ(defaults.TimeoutMs(), 3000u);

    const NetworkDescription network = NetworkDescription::Parse(
        "@latency 50\n"
        "@timeout\t120 \n"
        "W\\GONE|Old server @dead\n"
        "W\\QUIET| @dead\n"
        "W\\ALIVE|@dead\n"            // the mark needs its blank
        "W\\ALIVE\\S| @dead\n"       // a share's comment is only a comment
        "@latency 7x\n"
        "@timeout 600001\n"
        "@latency\n"
        "@delay 5\n"
        " @latency 9\n");
    EXPECT_EQ(network.LatencyMs(), 50u);
    EXPECT_EQ(network.TimeoutMs(), 120u);
    const simnet::Server* gone = network.FindServer(L"GONE");
    ASSERT_NE(gone, nullptr);
    EXPECT_TRUE(gone->dead);
    EXPECT_EQ(gone->comment, L"Old server");
    ASSERT_NE(network.FindServer(L"QUIET"), nullptr);
    EXPECT_TRUE(network.FindServer(L"QUIET")->dead);
    EXPECT_EQ(network.FindServer(L"QUIET")->comment, L"");
    const simnet::Server* alive = network.FindServer(L"ALIVE");
    ASSERT_NE(alive, nullptr);
    EXPECT_FALSE(alive->dead);
    EXPECT_EQ(alive->comment, L"@dead");
    ASSERT_EQ(alive->shares.size(), 1u);
    EXPECT_EQ(alive->shares[0].comment, L" @dead");
    std::vector<unsigned> refused;
    for (const simnet::RefusedLine& line : network.Refused()) refused.push_back(line.lineNumber);
    EXPECT_THAT(refused, ElementsAre(7u, 8u, 9u, 10u, 11u));
}

// Listing a server's shares and connecting to one cost the latency; a dead server is listed in
// its domain but fails its share listing after the time-out; nothing else waits.
TEST(SimulatedNetworkDescription, ServersAnswerAfterTheLatencyAndDeadOnesFailAfterTheTimeout)
{
    TempDirectory directory;
    ASSERT_TRUE(WriteWholeFile(directory.File("slow.txt"),
                               "@latency 700\n@timeout 1200\nSLOW\\LIVE\\S1\nSLOW\\DEAD|Dead server @dead\n"));
    DescriptionOverride description(directory.File("slow.txt"));

    Clock::time_point start = Clock::now();
    ListedResource provider = OurProvider();
    std::vector<ListedResource> domains = ListChildren(&provider);
    ASSERT_THAT(RemoteNames(domains), ElementsAre("SLOW"));
    std::vector<ListedResource> servers = ListChildren(&domains[0]);
    EXPECT_LT(MillisecondsSince(start), 700);
    ASSERT_THAT(RemoteNames(servers), ElementsAre("\\\\LIVE", "\\\\DEAD"));
    EXPECT_EQ(servers[1].comment, "Dead server");

    start = Clock::now();
    EXPECT_THAT(RemoteNames(ListChildren(&servers[0])), ElementsAre("\\\\LIVE\\S1"));
    EXPECT_GE(MillisecondsSince(start), 700);

    start = Clock::now();
    EXPECT_EQ(OpenEnumError("\\\\DEAD", RESOURCEDISPLAYTYPE_SERVER), static_cast<DWORD>(ERROR_BAD_NETPATH));
    EXPECT_GE(MillisecondsSince(start), 1200);

    start = Clock::now();
    EXPECT_EQ(AddConnection("", "\\\\LIVE\\S1"), static_cast<DWORD>(NO_ERROR));
    EXPECT_GE(MillisecondsSince(start), 700);
}

TEST(SimulatedNetworkDescription, IsReadOnceAndAgainOnlyWhenTheFileChanges)
{
    TempDirectory directory;
    const std::string path = directory.File("network.txt");
    ASSERT_TRUE(WriteWholeFile(path, "ONCE\\FIRST\\S1\n"));
    DescriptionOverride description(path);
    const ListedResource first = ServerResource("FIRST");
    EXPECT_THAT(RemoteNames(ListChildren(&first)), ElementsAre("\\\\FIRST\\S1"));
    {
        // While nobody else may open the file, the provider still knows the network.
        HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        EXPECT_THAT(RemoteNames(ListChildren(&first)), ElementsAre("\\\\FIRST\\S1"));
        CloseHandle(locked);
    }
    ASSERT_TRUE(WriteWholeFile(path, "ONCE\\FIRST\\S1\nONCE\\FIRST\\S2\n"));
    EXPECT_THAT(RemoteNames(ListChildren(&first)), ElementsAre("\\\\FIRST\\S1", "\\\\FIRST\\S2"));
}
