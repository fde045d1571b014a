#pragma once

// One SLP request carried to its end (RFC 2608, section 6.3): the same message, with the same
// XID, is sent again after each timeout of the schedule to the agents that have not answered
// yet and to the multicast group, whose previous-responder list grows with every answering
// address, until every agent has answered and the multicast answers have dried up, or the
// schedule or the maximum wait runs out. Free of the Windows headers: the datagrams go through
// an interface, so the schedule can be checked without a network.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace slp_ua {

using Bytes = std::vector<std::uint8_t>;

struct Endpoint {
    std::uint32_t address = 0; // IPv4, host byte order
    std::uint16_t port = 0;
    friend bool operator==(const Endpoint&, const Endpoint&) = default;
};

std::string DottedAddress(std::uint32_t address);

class DatagramPort {
public:
    enum class Wait { Datagram, TimedOut, Cancelled, Failed };

    virtual ~DatagramPort() = default;
    // False when the datagram could not be handed to the network.
    virtual bool Send(const Endpoint& to, const Bytes& message) = 0;
    // Waits at most timeout for one datagram.
    virtual Wait Receive(std::chrono::milliseconds timeout, Bytes& datagram, Endpoint& from) = 0;
};

struct RequestSchedule {
    std::vector<Endpoint> agents;            // asked by unicast
    std::optional<Endpoint> multicastGroup;  // asked by multicast when set
    std::vector<unsigned> timeoutsMs;        // one wait per transmission
    unsigned maximumWaitMs = 15000;
    std::size_t maximumMulticastSize = 1400; // a longer request ends the multicast part
};

// Makes the request for the given previous-responder list ("a.b.c.d,..."); the multicast flag
// tells whether it goes to the group. Nothing when it cannot be made.
using RequestBuilder = std::function<std::optional<Bytes>(const std::string& previousResponders,
                                                          bool multicast)>;

enum class Verdict {
    Dropped,  // not a valid answer to this request: as if it had not arrived
    Accepted, // a valid answer: its sender has answered
    Stop,     // a valid answer after which the caller wants no more
};
using ReplyHandler = std::function<Verdict(const Bytes& datagram, const Endpoint& from)>;

enum class Outcome { Completed, Stopped, Cancelled, NetworkError, RequestTooLong };

// The configured agent that an answer from `from` comes from: the one at that very endpoint,
// else the first at that address, since an agent may answer from another port than the one it
// was asked on (RFC 2608 ties answers to requests by XID, not by port). Nothing when no agent
// has that address.
std::optional<std::size_t> AgentAnswering(const std::vector<Endpoint>& agents, const Endpoint& from);

// Answers from agents that already answered, from addresses that were not asked or from
// multicast responders already in the list are not handed to onReply.
Outcome RunRequest(DatagramPort& port, const RequestSchedule& schedule, const RequestBuilder& build,
                   const ReplyHandler& onReply);

} // namespace slp_ua
