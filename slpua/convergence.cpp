#include "convergence.h"

#include <algorithm>

namespace slp_ua {
namespace {

using Clock = std::chrono::steady_clock;

class Convergence {
public:
    Convergence(DatagramPort& port, const RequestSchedule& schedule, const RequestBuilder& build,
                const ReplyHandler& onReply)
        : port_(port), schedule_(schedule), build_(build), onReply_(onReply),
          pendingAgents_(schedule.agents), multicasting_(schedule.multicastGroup.has_value())
    {
    }

    Outcome Run()
    {
        const Clock::time_point start = Clock::now();
        const Clock::time_point end = start + std::chrono::milliseconds(schedule_.maximumWaitMs);
        for (std::size_t round = 0; round < schedule_.timeoutsMs.size() && !Finished(); ++round) {
            const Clock::time_point now = Clock::now();
            // Less than a millisecond left is no time for another transmission to be answered.
            if (std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count() <= 0)
                break;
            if (!Transmit())
                return Outcome::RequestTooLong;
            const Clock::time_point roundEnd =
                std::min(end, now + std::chrono::milliseconds(schedule_.timeoutsMs[round]));
            newResponders_ = 0;
            if (std::optional<Outcome> outcome = Collect(roundEnd))
                return *outcome;
            // Multicast has converged once a retransmission brings no new responder.
            if (multicasting_ && round > 0 && newResponders_ == 0 && !responders_.empty())
                multicasting_ = false;
        }
        return Outcome::Completed;
    }

private:
    bool Finished() const { return pendingAgents_.empty() && !multicasting_; }

    // False when the request cannot be made at all.
    bool Transmit()
    {
        if (!pendingAgents_.empty()) {
            std::optional<Bytes> request = build_(std::string(), false);
            if (!request)
                return false;
            for (const Endpoint& agent : pendingAgents_)
                port_.Send(agent, *request);
        }
        if (multicasting_) {
            std::optional<Bytes> request = build_(responderList_, true);
            if (!request && responderList_.empty())
                return false;
            // Once the list no longer fits, the responders it would leave out would answer
            // again: the multicast part ends there.
            if (!request || (request->size() > schedule_.maximumMulticastSize && !responderList_.empty())) {
                multicasting_ = false;
                return true;
            }
            port_.Send(*schedule_.multicastGroup, *request);
        }
        return true;
    }

    std::optional<Outcome> Collect(Clock::time_point roundEnd)
    {
        Bytes datagram;
        Endpoint from;
        while (!Finished()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(roundEnd - Clock::now());
            if (left.count() <= 0)
                break;
            switch (port_.Receive(left, datagram, from)) {
            case DatagramPort::Wait::TimedOut:
                return std::nullopt;
            case DatagramPort::Wait::Cancelled:
                return Outcome::Cancelled;
            case DatagramPort::Wait::Failed:
                return Outcome::NetworkError;
            case DatagramPort::Wait::Datagram:
                if (Handle(datagram, from) == Verdict::Stop)
                    return Outcome::Stopped;
                break;
            }
        }
        return std::nullopt;
    }

    Verdict Handle(const Bytes& datagram, const Endpoint& from)
    {
        const std::optional<std::size_t> agent = AgentAnswering(pendingAgents_, from);
        const bool fromPendingAgent = agent.has_value();
        const bool fromNewResponder = schedule_.multicastGroup.has_value() &&
                                      std::find(responders_.begin(), responders_.end(),
                                                from.address) == responders_.end();
        if (!fromPendingAgent && !fromNewResponder)
            return Verdict::Dropped;
        const Verdict verdict = onReply_(datagram, from);
        if (verdict == Verdict::Dropped)
            return verdict;
        if (fromPendingAgent) {
            pendingAgents_.erase(pendingAgents_.begin() + static_cast<std::ptrdiff_t>(*agent));
        } else {
            responders_.push_back(from.address);
            if (!responderList_.empty())
                responderList_ += ',';
            responderList_ += DottedAddress(from.address);
            ++newResponders_;
        }
        return verdict;
    }

    DatagramPort& port_;
    const RequestSchedule& schedule_;
    const RequestBuilder& build_;
    const ReplyHandler& onReply_;
    std::vector<Endpoint> pendingAgents_;
    bool multicasting_;
    std::vector<std::uint32_t> responders_;
    std::string responderList_;
    std::size_t newResponders_ = 0;
};

} // namespace

std::optional<std::size_t> AgentAnswering(const std::vector<Endpoint>& agents, const Endpoint& from)
{
    auto agent = std::find(agents.begin(), agents.end(), from);
    if (agent == agents.end())
        agent = std::find_if(agents.begin(), agents.end(),
                             [&](const Endpoint& candidate) { return candidate.address == from.address; });
    if (agent == agents.end())
        return std::nullopt;
    return static_cast<std::size_t>(agent - agents.begin());
}

std::string DottedAddress(std::uint32_t address)
{
    return std::to_string(address >> 24) + '.' + std::to_string(address >> 16 & 0xFF) + '.' +
           std::to_string(address >> 8 & 0xFF) + '.' + std::to_string(address & 0xFF);
}

Outcome RunRequest(DatagramPort& port, const RequestSchedule& schedule, const RequestBuilder& build,
                   const ReplyHandler& onReply)
{
    return Convergence(port, schedule, build, onReply).Run();
}

} // namespace slp_ua
