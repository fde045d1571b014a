#include "convergence.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <thread>

namespace {

using slp_ua::Bytes;
using slp_ua::DatagramPort;
using slp_ua::Endpoint;
using slp_ua::Outcome;
using slp_ua::Verdict;

constexpr Endpoint kGroup{0xEFFFFFFD, 427};
Endpoint Host(std::uint32_t last) { return Endpoint{0x0A000000u | last, 427}; }

struct Transmission {
    Endpoint to;
    std::string previousResponders;
};

// Stands in for the network. Requests carry their previous-responder list as text; whoever
// the test lets answer a transmission has its reply waiting in the inbox.
class ScriptedPort : public DatagramPort {
public:
    std::function<std::vector<Endpoint>(const Transmission&, std::size_t index)> answerers;
    bool waitsInRealTime = false;
    std::vector<Transmission> sent;
    std::vector<long long> waits;
    std::deque<std::pair<Bytes, Endpoint>> inbox;

    bool Send(const Endpoint& to, const Bytes& message) override
    {
        sent.push_back({to, std::string(message.begin(), message.end())});
        if (answerers) {
            for (const Endpoint& from : answerers(sent.back(), sent.size() - 1))
                inbox.push_back({Bytes{'o', 'k'}, from});
        }
        return true;
    }
    Wait Receive(std::chrono::milliseconds timeout, Bytes& datagram, Endpoint& from) override
    {
        if (inbox.empty()) {
            waits.push_back(timeout.count());
            // Like a socket: TimedOut only once the time is up (a sleep may end early).
            const auto until = std::chrono::steady_clock::now() + timeout;
            while (waitsInRealTime && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(until - std::chrono::steady_clock::now());
            return Wait::TimedOut;
        }
        datagram = inbox.front().first;
        from = inbox.front().second;
        inbox.pop_front();
        return Wait::Datagram;
    }
};

bool Lists(const std::string& list, const Endpoint& host)
{
    const std::string dotted = slp_ua::DottedAddress(host.address);
    return (',' + list + ',').find(',' + dotted + ',') != std::string::npos;
}

Outcome Converge(ScriptedPort& port, const slp_ua::RequestSchedule& schedule,
            slp_ua::ReplyHandler onReply = [](const Bytes&, const Endpoint&) { return Verdict::Accepted; })
{
    auto build = [](const std::string& responders, bool) { return std::optional<Bytes>(Bytes(responders.begin(), responders.end())); };
    return slp_ua::RunRequest(port, schedule, build, onReply);
}

TEST(ConvergenceTest, MulticastGrowsTheResponderListUntilNoNewAnswerComes)
{
    ScriptedPort port;
    // Host 1 hears the first transmission; hosts 2 and 3 only the second one on. Nobody
    // answers a request that lists it.
    port.answerers = [](const Transmission& t, std::size_t index) {
        std::vector<Endpoint> answering;
        for (std::uint32_t host = 1; host <= 3; ++host) {
            if ((host == 1 || index >= 1) && !Lists(t.previousResponders, Host(host)))
                answering.push_back(Host(host));
        }
        return answering;
    };
    slp_ua::RequestSchedule schedule;
    schedule.multicastGroup = kGroup;
    schedule.timeoutsMs = {500, 750, 1000, 1500, 2000, 3000};
    int replies = 0;
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule, [&](const Bytes&, const Endpoint&) { ++replies; return Verdict::Accepted; }));
    ASSERT_EQ(3u, port.sent.size());
    EXPECT_EQ("", port.sent[0].previousResponders);
    EXPECT_EQ("10.0.0.1", port.sent[1].previousResponders);
    EXPECT_EQ("10.0.0.1,10.0.0.2,10.0.0.3", port.sent[2].previousResponders);
    EXPECT_EQ(3, replies);
    for (const Transmission& t : port.sent)
        EXPECT_EQ(kGroup, t.to);
}

TEST(ConvergenceTest, WithoutAnswersTheWholeScheduleIsWaitedThrough)
{
    ScriptedPort port;
    slp_ua::RequestSchedule schedule;
    schedule.multicastGroup = kGroup;
    schedule.timeoutsMs = {500, 750, 1000, 1500, 2000, 3000};
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule));
    ASSERT_EQ(6u, port.sent.size());
    ASSERT_EQ(6u, port.waits.size());
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_LE(port.waits[i], schedule.timeoutsMs[i]);
        EXPECT_GE(port.waits[i], schedule.timeoutsMs[i] - 50);
    }
}

TEST(ConvergenceTest, TheMaximumWaitCutsTheScheduleShort)
{
    ScriptedPort port;
    port.waitsInRealTime = true;
    slp_ua::RequestSchedule schedule;
    schedule.multicastGroup = kGroup;
    schedule.timeoutsMs = std::vector<unsigned>(10, 100);
    schedule.maximumWaitMs = 250;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule));
    const auto took = std::chrono::steady_clock::now() - start;
    // Three transmissions at 0, 100 and 200 ms; fewer if sleeping overshoots, never all ten.
    EXPECT_GE(port.sent.size(), 2u);
    EXPECT_LE(port.sent.size(), 3u);
    long long waited = 0;
    for (long long wait : port.waits)
        waited += wait;
    EXPECT_LE(waited, 250);
    EXPECT_LT(took, std::chrono::milliseconds(450));
}

TEST(ConvergenceTest, UnicastRepeatsOnlyToAgentsThatHaveNotAnsweredAndEndsWhenAllHave)
{
    ScriptedPort port;
    // Agent 1 answers at once (twice, and a stranger chimes in); agent 2 only the third time.
    port.answerers = [](const Transmission& t, std::size_t index) {
        std::vector<Endpoint> answering;
        if (t.to == Host(1))
            answering = {Host(1), Host(1), Host(9)};
        if (t.to == Host(2) && index >= 3)
            answering.push_back(Host(2));
        return answering;
    };
    slp_ua::RequestSchedule schedule;
    schedule.agents = {Host(1), Host(2)};
    schedule.timeoutsMs = {100, 100, 100, 100, 100};
    std::vector<int> repliesFrom;
    int replies = 0;
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule, [&](const Bytes&, const Endpoint&) { ++replies; return Verdict::Accepted; }));
    ASSERT_EQ(4u, port.sent.size());
    EXPECT_EQ(Host(1), port.sent[0].to);
    EXPECT_EQ(Host(2), port.sent[1].to);
    EXPECT_EQ(Host(2), port.sent[2].to);
    EXPECT_EQ(Host(2), port.sent[3].to);
    EXPECT_EQ(2, replies);
    // Nothing was waited for after the last agent answered.
    EXPECT_EQ(2u, port.waits.size());
}

TEST(ConvergenceTest, AnAgentMayAnswerFromAnotherPortButNotFromAnotherAddress)
{
    ScriptedPort port;
    // Agent 1 answers from another port of its address; a host that was not asked answers
    // in agent 2's stead, which does not answer itself.
    port.answerers = [](const Transmission& t, std::size_t) {
        if (t.to == Host(1))
            return std::vector<Endpoint>{Endpoint{Host(1).address, 50123}};
        return std::vector<Endpoint>{Endpoint{Host(9).address, 427}};
    };
    slp_ua::RequestSchedule schedule;
    schedule.agents = {Host(1), Host(2)};
    schedule.timeoutsMs = {100, 100, 100};
    std::vector<Endpoint> repliesFrom;
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule, [&](const Bytes&, const Endpoint& from) {
                  repliesFrom.push_back(from);
                  return Verdict::Accepted;
              }));
    EXPECT_EQ((std::vector<Endpoint>{{Host(1).address, 50123}}), repliesFrom);
    // Agent 1 counted as answered: only agent 2 was asked again.
    ASSERT_EQ(4u, port.sent.size());
    for (std::size_t i = 1; i < port.sent.size(); ++i)
        EXPECT_EQ(Host(2), port.sent[i].to);

    const std::vector<Endpoint> agents = {Host(1), {Host(2).address, 4270}, Host(2)};
    EXPECT_EQ(2u, slp_ua::AgentAnswering(agents, Host(2)));   // the very endpoint first
    EXPECT_EQ(1u, slp_ua::AgentAnswering(agents, {Host(2).address, 9}));
    EXPECT_FALSE(slp_ua::AgentAnswering(agents, Host(3)));
}

TEST(ConvergenceTest, RefusedRepliesDoNotCountAndStopEndsAtOnce)
{
    ScriptedPort port;
    port.answerers = [](const Transmission&, std::size_t) { return std::vector<Endpoint>{Host(1)}; };
    slp_ua::RequestSchedule schedule;
    schedule.agents = {Host(1)};
    schedule.timeoutsMs = {100, 100, 100};
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule, [](const Bytes&, const Endpoint&) { return Verdict::Dropped; }));
    EXPECT_EQ(3u, port.sent.size());

    ScriptedPort stopping;
    stopping.answerers = port.answerers;
    EXPECT_EQ(Outcome::Stopped, Converge(stopping, schedule, [](const Bytes&, const Endpoint&) { return Verdict::Stop; }));
    EXPECT_EQ(1u, stopping.sent.size());
}

TEST(ConvergenceTest, MulticastEndsWhenTheResponderListNoLongerFits)
{
    ScriptedPort port;
    // Ten new hosts answer every transmission.
    port.answerers = [](const Transmission&, std::size_t index) {
        std::vector<Endpoint> answering;
        for (std::uint32_t i = 0; i < 10; ++i)
            answering.push_back(Host(static_cast<std::uint32_t>(index * 10 + i + 1)));
        return answering;
    };
    slp_ua::RequestSchedule schedule;
    schedule.multicastGroup = kGroup;
    schedule.timeoutsMs = {100, 100, 100, 100, 100, 100};
    schedule.maximumMulticastSize = 250;
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule));
    // 10 addresses take about 100 bytes, 20 about 200, 30 no longer fit.
    EXPECT_EQ(3u, port.sent.size());
    for (const Transmission& t : port.sent)
        EXPECT_LE(t.previousResponders.size(), 250u);
}

TEST(ConvergenceTest, NothingToAskEndsAtOnce)
{
    ScriptedPort port;
    slp_ua::RequestSchedule schedule;
    schedule.timeoutsMs = {100};
    EXPECT_EQ(Outcome::Completed, Converge(port, schedule));
    EXPECT_TRUE(port.sent.empty());
}

} // namespace
