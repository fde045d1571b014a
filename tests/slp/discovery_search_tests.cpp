// The agent's Winsock headers must come before anything that includes windows.h.
#include "service_agent.h"

#include "lumivex_service.h"
#include "slp_ts_box_search.h"
#include "slp_test_config.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const char* const kEventNames[3] = {"SLP search module, new service found.",
                                    "SLP search module, datablock no longer in use",
                                    "SLP search module, a new printer service is available."};

// Receives the services like the search module does, and checks on the way that the search's
// named events can be opened while it runs.
class CollectingReply : public DiscoveryReplyInterface {
public:
    std::vector<std::unique_ptr<LumivexService>> services;
    std::vector<Clock::time_point> arrivals;
    DWORD thread = 0;
    bool eventsOpen = true;

    void ServiceFound(LumivexService* service) noexcept override
    {
        services.emplace_back(service);
        arrivals.push_back(Clock::now());
        thread = ::GetCurrentThreadId();
        for (const char* name : kEventNames) {
            HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, name);
            eventsOpen = eventsOpen && event != nullptr;
            if (event)
                ::CloseHandle(event);
        }
    }

    std::map<std::string, int> CountByUrl() const
    {
        std::map<std::string, int> counts;
        for (const auto& service : services)
            ++counts[service->GetURL()];
        return counts;
    }
};

class DiscoverySearchTest : public ::testing::Test {
protected:
    milliseconds Search(CollectingReply& reply)
    {
        SLPTSBoxSearch search;
        start_ = Clock::now();
        search.StartSearch(&reply, false);
        return Since(start_);
    }
    milliseconds Since(Clock::time_point moment) const
    {
        return std::chrono::duration_cast<milliseconds>(Clock::now() - moment);
    }
    milliseconds SinceStart(Clock::time_point moment) const
    {
        return std::chrono::duration_cast<milliseconds>(moment - start_);
    }

    Clock::time_point start_;

    RegistrySandbox sandbox;
};

TEST_F(DiscoverySearchTest, NoServerAnsweringEndsSoonAfterTheRequestWithoutReplies)
{
    AgentBehaviour silent;
    silent.ignoredRequests = 1000;
    ServiceAgent agent({}, silent);
    ConfigureLoopbackAgents({agent.Port()}, "100,150,200"); // the request ends after 450 ms
    CollectingReply reply;
    const milliseconds took = Search(reply);
    EXPECT_TRUE(reply.services.empty());
    EXPECT_GE(took, milliseconds(400));
    EXPECT_LT(took, milliseconds(450 + 5000 + 500));
    EXPECT_EQ(3u, agent.Requests().size());
}

TEST_F(DiscoverySearchTest, StorageServersAreReportedWithTheirAttributes)
{
    std::vector<SimulatedServer> servers = ServiceAgent::StorageServers(3);
    servers[1].attributes = "(TYPE=CDS,OTHER),(HW ID=12),(LOCATION=Room\\20A)";
    ServiceAgent agent(servers);
    ConfigureLoopbackAgents({agent.Port()});
    CollectingReply reply;
    Search(reply);
    ASSERT_EQ(3u, reply.services.size());
    EXPECT_EQ(::GetCurrentThreadId(), reply.thread);
    EXPECT_TRUE(reply.eventsOpen);
    for (const auto& service : reply.services) {
        if (std::string(service->GetURL()) != servers[1].url)
            continue;
        unsigned int id = 0;
        EXPECT_TRUE(service->GetHWID(id));
        EXPECT_EQ(12u, id);
        const wchar_t* location = nullptr;
        EXPECT_TRUE(service->GetLocation(location));
        EXPECT_STREQ(L"Room A", location);
    }
}

TEST_F(DiscoverySearchTest, TheSameUrlTwiceYieldsOneService)
{
    std::vector<SimulatedServer> servers = ServiceAgent::StorageServers(2);
    servers.push_back(servers[0]);
    ServiceAgent agent(servers);
    ServiceAgent secondAgent(ServiceAgent::StorageServers(1)); // reports server-0 once more
    ConfigureLoopbackAgents({agent.Port(), secondAgent.Port()});
    CollectingReply reply;
    Search(reply);
    EXPECT_EQ((std::map<std::string, int>{{servers[0].url, 1}, {servers[1].url, 1}}), reply.CountByUrl());
    // Its attributes were asked for once.
    int attributeRequests = 0;
    for (const auto& request : agent.Requests())
        attributeRequests += request.function == slp_wire::Function::AttributeRequest && request.subject == servers[0].url;
    for (const auto& request : secondAgent.Requests())
        attributeRequests += request.function == slp_wire::Function::AttributeRequest && request.subject == servers[0].url;
    EXPECT_EQ(2, attributeRequests); // one request, sent to both agents
}

TEST_F(DiscoverySearchTest, ServersThatAreNotStorageServersOrDoNotAnswerAreLeftOut)
{
    std::vector<SimulatedServer> servers = ServiceAgent::StorageServers(4);
    servers[0].attributes = "(TYPE=PRINTER),(HW ID=3)";
    servers[1].attributes = "(TYPE=cds)";
    servers[2].answersAttributeRequests = false;
    ServiceAgent agent(servers);
    ConfigureLoopbackAgents({agent.Port()}, "100,100");
    CollectingReply reply;
    Search(reply);
    EXPECT_EQ((std::map<std::string, int>{{servers[3].url, 1}}), reply.CountByUrl());
}

TEST_F(DiscoverySearchTest, TwoHundredServersAreAllReportedOnce)
{
    const std::vector<SimulatedServer> servers = ServiceAgent::StorageServers(200);
    // The URL list does not fit a datagram: it comes cut short, then whole over TCP.
    AgentBehaviour ethernet;
    ethernet.mtu = 1400;
    ServiceAgent agent(servers, ethernet);
    ConfigureLoopbackAgents({agent.Port()});
    CollectingReply reply;
    const milliseconds took = Search(reply);
    std::map<std::string, int> expected;
    for (const SimulatedServer& server : servers)
        expected[server.url] = 1;
    EXPECT_EQ(expected, reply.CountByUrl());
    const auto requests = agent.Requests();
    EXPECT_EQ(1, std::count_if(requests.begin(), requests.end(), [](const ReceivedRequest& r) { return r.overTcp; }));
    ASSERT_FALSE(reply.arrivals.empty());
    std::cout << "search of 200 simulated servers: " << took.count() << " ms (first service after "
              << SinceStart(reply.arrivals.front()).count() << " ms, last after "
              << SinceStart(reply.arrivals.back()).count() << " ms)\n";
    RecordProperty("search_ms", static_cast<int>(took.count()));
    EXPECT_LT(took, milliseconds(5000));
}

TEST_F(DiscoverySearchTest, BrokenDatagramsAreDroppedAndTheSearchStillFinishes)
{
    const std::vector<SimulatedServer> servers = ServiceAgent::StorageServers(5);
    AgentBehaviour broken;
    broken.brokenRepliesFirst = true;
    ServiceAgent agent(servers, broken);
    AgentBehaviour onlyBroken;
    onlyBroken.onlyBrokenReplies = true;
    ServiceAgent brokenAgent(servers, onlyBroken);
    ConfigureLoopbackAgents({agent.Port(), brokenAgent.Port()}, "100,150");
    CollectingReply reply;
    const milliseconds took = Search(reply);
    ASSERT_EQ(5u, reply.services.size());
    for (const auto& service : reply.services) {
        EXPECT_STRNE(ServiceAgent::kPoisonUrl, service->GetURL());
        const wchar_t* location = nullptr;
        EXPECT_TRUE(service->GetLocation(location));
        EXPECT_EQ(std::wstring(L"Room "), std::wstring(location).substr(0, 5));
    }
    EXPECT_LT(took, milliseconds(250 + 5000));
}

TEST_F(DiscoverySearchTest, AFailedOpenEndsTheSearchAtOnce)
{
    const RegKey key = RegKey::LOCAL_MACHINE.CreateKey(slp_ua::kConfigKeyPath);
    key.SetStringValue("Agent Addresses", "not an address");
    key.SetDWORDValue("Multicast", 0);
    CollectingReply reply;
    const milliseconds took = Search(reply);
    EXPECT_TRUE(reply.services.empty());
    EXPECT_LT(took, milliseconds(1000));
}

TEST_F(DiscoverySearchTest, ASecondSearchOnTheSameObjectFindsNothing)
{
    ServiceAgent agent(ServiceAgent::StorageServers(2));
    ConfigureLoopbackAgents({agent.Port()});
    SLPTSBoxSearch search;
    CollectingReply first;
    search.StartSearch(&first, true);
    EXPECT_EQ(2u, first.services.size());
    CollectingReply second;
    search.StartSearch(&second, true);
    EXPECT_TRUE(second.services.empty());
}

} // namespace
