// The agent's Winsock headers must come before anything that includes windows.h.
#include "service_agent.h"

#include "agent_config.h"
#include "slp.h"
#include "slp_test_config.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct UrlCalls {
    std::vector<std::string> urls;
    std::vector<SLPError> finalCodes;
    int stopAfter = -1;
    std::atomic<bool> done{false};
    DWORD thread = 0;
};

SLPBoolean CollectUrls(SLPHandle, const char* url, unsigned short, SLPError code, void* cookie)
{
    auto& calls = *static_cast<UrlCalls*>(cookie);
    calls.thread = ::GetCurrentThreadId();
    if (code != SLP_OK) {
        calls.finalCodes.push_back(code);
        calls.done = true;
        return SLP_FALSE;
    }
    calls.urls.push_back(url);
    if (calls.stopAfter >= 0 && static_cast<int>(calls.urls.size()) >= calls.stopAfter) {
        calls.done = true;
        return SLP_FALSE;
    }
    return SLP_TRUE;
}

struct AttributeCalls {
    std::vector<std::string> lists;
    std::vector<SLPError> finalCodes;
};

SLPBoolean CollectAttributes(SLPHandle, const char* list, SLPError code, void* cookie)
{
    auto& calls = *static_cast<AttributeCalls*>(cookie);
    if (code != SLP_OK)
        calls.finalCodes.push_back(code);
    else
        calls.lists.push_back(list);
    return SLP_TRUE;
}

class Handle {
public:
    explicit Handle(SLPBoolean async) { EXPECT_EQ(SLP_OK, SLPOpen("en", async, &handle_)); }
    ~Handle() { SLPClose(handle_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    operator SLPHandle() const { return handle_; }

private:
    SLPHandle handle_ = nullptr;
};

class SlpApiTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
};

TEST_F(SlpApiTest, FindsServicesThenMakesTheLastCall)
{
    ServiceAgent agent(ServiceAgent::StorageServers(3));
    ConfigureLoopbackAgents({agent.Port()});
    Handle slp(SLP_FALSE);
    UrlCalls calls;
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "(TYPE=CDS)", CollectUrls, &calls));
    ASSERT_EQ(3u, calls.urls.size());
    EXPECT_EQ(ServiceAgent::StorageServers(3)[2].url, calls.urls[2]);
    EXPECT_EQ(std::vector<SLPError>{SLP_LAST_CALL}, calls.finalCodes);
    EXPECT_EQ(::GetCurrentThreadId(), calls.thread);

    AttributeCalls attributes;
    EXPECT_EQ(SLP_OK, SLPFindAttrs(slp, calls.urls[1].c_str(), "default", "", CollectAttributes, &attributes));
    EXPECT_EQ(std::vector<std::string>{ServiceAgent::StorageServers(3)[1].attributes}, attributes.lists);
    EXPECT_EQ(std::vector<SLPError>{SLP_LAST_CALL}, attributes.finalCodes);
}

TEST_F(SlpApiTest, RetransmissionsKeepTheXid)
{
    AgentBehaviour late;
    late.ignoredRequests = 2;
    ServiceAgent agent(ServiceAgent::StorageServers(1), late);
    ConfigureLoopbackAgents({agent.Port()}, "100,100,100,100");
    Handle slp(SLP_FALSE);
    UrlCalls calls;
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
    EXPECT_EQ(1u, calls.urls.size());
    const auto requests = agent.Requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ(requests[0].xid, requests[1].xid);
    EXPECT_EQ(requests[0].xid, requests[2].xid);
    EXPECT_EQ("", requests[2].previousResponders);

    // A new request has a new XID.
    UrlCalls again;
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &again));
    EXPECT_NE(requests[0].xid, agent.Requests().back().xid);
}

// A reply to an earlier request of the handle, late or broken, may carry any XID; it arrives
// here while the next request waits, with that request's XID, and must not be taken for its
// answer.
TEST_F(SlpApiTest, AReplyToAnEarlierRequestIsNeverTakenForALaterOne)
{
    AgentBehaviour stale;
    stale.staleRepliesCarryNextXid = true;
    const auto servers = ServiceAgent::StorageServers(3);
    ServiceAgent agent(servers, stale);
    ConfigureLoopbackAgents({agent.Port()});
    Handle slp(SLP_FALSE);
    for (const SimulatedServer& server : servers) {
        AttributeCalls attributes;
        EXPECT_EQ(SLP_OK, SLPFindAttrs(slp, server.url.c_str(), "default", "", CollectAttributes, &attributes));
        EXPECT_EQ(std::vector<std::string>{server.attributes}, attributes.lists);
    }
}

TEST_F(SlpApiTest, RepliesAreTakenFromTheAgentsAddressWhateverItsPortButFromNoOtherAddress)
{
    AgentBehaviour otherPort;
    otherPort.repliesFromAnotherPort = true;
    const auto servers = ServiceAgent::StorageServers(2);
    ServiceAgent agent(servers, otherPort);
    ConfigureLoopbackAgents({agent.Port()});
    {
        Handle slp(SLP_FALSE);
        UrlCalls calls;
        EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
        EXPECT_EQ((std::vector<std::string>{servers[0].url, servers[1].url}), calls.urls);
        AttributeCalls attributes;
        EXPECT_EQ(SLP_OK, SLPFindAttrs(slp, servers[1].url.c_str(), "default", "", CollectAttributes, &attributes));
        EXPECT_EQ(std::vector<std::string>{servers[1].attributes}, attributes.lists);
        // Each was answered at its first asking.
        EXPECT_EQ(2u, agent.Requests().size());
    }

    // Asked at 127.0.0.2, the agent answers from 127.0.0.1, an address that was not asked.
    AgentBehaviour everyAddress;
    everyAddress.listensOnEveryAddress = true;
    ServiceAgent elsewhere(servers, everyAddress);
    ConfigureLoopbackAgents({}, "100,100");
    RegKey::LOCAL_MACHINE.CreateKey(slp_ua::kConfigKeyPath)
        .SetStringValue("Agent Addresses", "127.0.0.2:" + std::to_string(elsewhere.Port()));
    Handle slp(SLP_FALSE);
    UrlCalls calls;
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
    EXPECT_TRUE(calls.urls.empty());
    EXPECT_EQ(std::vector<SLPError>{SLP_LAST_CALL}, calls.finalCodes);
    EXPECT_EQ(2u, elsewhere.Requests().size()); // asked again: the answer did not count
}

TEST_F(SlpApiTest, AReplyTooLargeForADatagramIsFetchedWholeOverTcp)
{
    AgentBehaviour smallDatagrams;
    smallDatagrams.mtu = 1400;
    const auto servers = ServiceAgent::StorageServers(100);
    ServiceAgent agent(servers, smallDatagrams);
    ConfigureLoopbackAgents({agent.Port()});
    Handle slp(SLP_FALSE);
    UrlCalls calls;
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
    ASSERT_EQ(100u, calls.urls.size());
    EXPECT_EQ(servers[99].url, calls.urls[99]);
    const auto requests = agent.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_FALSE(requests[0].overTcp);
    EXPECT_TRUE(requests[1].overTcp);
    EXPECT_EQ(requests[0].xid, requests[1].xid);
}

TEST_F(SlpApiTest, ACallbackThatSaysFalseGetsNoMoreCalls)
{
    ServiceAgent agent(ServiceAgent::StorageServers(5));
    ConfigureLoopbackAgents({agent.Port()});
    Handle slp(SLP_FALSE);
    UrlCalls calls;
    calls.stopAfter = 2;
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
    EXPECT_EQ(2u, calls.urls.size());
    EXPECT_TRUE(calls.finalCodes.empty());
}

TEST_F(SlpApiTest, AnAsynchronousHandleAnswersOnItsOwnThreadAndIsBusyMeanwhile)
{
    AgentBehaviour slow;
    slow.replyDelayMs = 300;
    ServiceAgent agent(ServiceAgent::StorageServers(2), slow);
    ConfigureLoopbackAgents({agent.Port()}, "1000");
    // Declared before the handle: its callbacks may still run until the handle is closed.
    UrlCalls calls;
    UrlCalls second;
    UrlCalls third;
    AttributeCalls attributes;
    Handle slp(SLP_TRUE);
    const auto start = Clock::now();
    EXPECT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(SLP_HANDLE_IN_USE, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &second));
    EXPECT_EQ(SLP_HANDLE_IN_USE, SLPFindAttrs(slp, "service:x://y", "default", "", CollectAttributes, &attributes));
    while (!calls.done && Clock::now() - start < std::chrono::seconds(5))
        ::Sleep(10);
    EXPECT_EQ(2u, calls.urls.size());
    EXPECT_EQ(std::vector<SLPError>{SLP_LAST_CALL}, calls.finalCodes);
    EXPECT_NE(::GetCurrentThreadId(), calls.thread);
    EXPECT_TRUE(second.urls.empty());
    EXPECT_TRUE(attributes.lists.empty());

    // Once the last call has returned, the handle takes the next request.
    SLPError next = SLP_HANDLE_IN_USE;
    while (next == SLP_HANDLE_IN_USE && Clock::now() - start < std::chrono::seconds(5)) {
        ::Sleep(10);
        next = SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &third);
    }
    EXPECT_EQ(SLP_OK, next);
}

TEST_F(SlpApiTest, ClosingAHandleEndsItsRequest)
{
    ServiceAgent silent({}, AgentBehaviour{0, 1000, false, false});
    ConfigureLoopbackAgents({silent.Port()}, "3000,3000,3000");
    SLPHandle slp = nullptr;
    ASSERT_EQ(SLP_OK, SLPOpen("en", SLP_TRUE, &slp));
    UrlCalls calls;
    ASSERT_EQ(SLP_OK, SLPFindSrvs(slp, "service:lumivex.orvek", "default", "", CollectUrls, &calls));
    ::Sleep(100);
    const auto start = Clock::now();
    SLPClose(slp);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(SlpApiTest, BadArgumentsAndBadSettingsAreRefused)
{
    ConfigureLoopbackAgents({});
    Handle slp(SLP_FALSE);
    UrlCalls calls;
    EXPECT_EQ(SLP_PARAMETER_BAD, SLPFindSrvs(nullptr, "service:a", "default", "", CollectUrls, &calls));
    EXPECT_EQ(SLP_PARAMETER_BAD, SLPFindSrvs(slp, nullptr, "default", "", CollectUrls, &calls));
    EXPECT_EQ(SLP_PARAMETER_BAD, SLPFindSrvs(slp, "service:a", "default", "", nullptr, &calls));
    EXPECT_EQ(SLP_PARAMETER_BAD, SLPFindSrvs(slp, std::string(70000, 'a').c_str(), "default", "", CollectUrls, &calls));
    EXPECT_EQ(SLP_PARAMETER_BAD, SLPOpen("en", SLP_FALSE, nullptr));
    EXPECT_TRUE(calls.urls.empty());
    EXPECT_TRUE(calls.finalCodes.empty());

    const RegKey key = RegKey::LOCAL_MACHINE.CreateKey(slp_ua::kConfigKeyPath);
    SLPHandle refused = reinterpret_cast<SLPHandle>(1);
    key.SetStringValue("Agent Addresses", "127.0.0.1:0");
    EXPECT_EQ(SLP_PARSE_ERROR, SLPOpen("en", SLP_FALSE, &refused));
    EXPECT_EQ(nullptr, refused);
    key.SetStringValue("Agent Addresses", "127.0.0.1");
    key.SetStringValue("Timeouts", "100,x");
    EXPECT_EQ(SLP_PARSE_ERROR, SLPOpen("en", SLP_FALSE, &refused));
    key.SetStringValue("Timeouts", "100");
    key.SetStringValue("Port", "427");
    EXPECT_EQ(SLP_PARSE_ERROR, SLPOpen("en", SLP_FALSE, &refused));
}

TEST(AgentConfigTest, AddressListsAndTimeouts)
{
    const auto agents = slp_ua::ParseAgentAddresses(" 127.0.0.1 , 10.1.2.3:4270", 427);
    ASSERT_TRUE(agents);
    ASSERT_EQ(2u, agents->size());
    EXPECT_EQ((slp_ua::Endpoint{0x7F000001, 427}), (*agents)[0]);
    EXPECT_EQ((slp_ua::Endpoint{0x0A010203, 4270}), (*agents)[1]);
    EXPECT_TRUE(slp_ua::ParseAgentAddresses("", 427)->empty());
    for (const char* bad : {"1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.4:", "1.2.3.4:65536", "a.b.c.d", "1.2.3.4,"})
        EXPECT_FALSE(slp_ua::ParseAgentAddresses(bad, 427)) << bad;

    EXPECT_EQ((std::vector<unsigned>{500, 750}), slp_ua::ParseTimeouts("500, 750"));
    for (const char* bad : {"", "0", "-1", "1,,2", "99999999999"})
        EXPECT_FALSE(slp_ua::ParseTimeouts(bad)) << bad;
    const slp_ua::AgentConfig defaults;
    EXPECT_TRUE(defaults.multicast);
    EXPECT_EQ(427, defaults.port);
    EXPECT_EQ((std::vector<unsigned>{500, 750, 1000, 1500, 2000, 3000}), defaults.timeoutsMs);
    EXPECT_EQ(15000u, defaults.maximumWaitMs);
}

} // namespace
