#pragma once

// Where and how the user agent sends its requests. The defaults are SLP's own: multicast to
// the administratively scoped group on port 427 with the standard retransmission schedule.

#include "convergence.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace slp_ua {

constexpr std::uint32_t kSlpMulticastGroup = 0xEFFFFFFD; // 239.255.255.253
constexpr std::uint16_t kSlpPort = 427;

struct AgentConfig {
    std::vector<Endpoint> agents; // unicast targets; an address without a port uses `port`
    std::uint16_t port = kSlpPort;
    bool multicast = true;
    std::vector<unsigned> timeoutsMs = {500, 750, 1000, 1500, 2000, 3000};
    unsigned maximumWaitMs = 15000;

    RequestSchedule Schedule() const;
};

// "a.b.c.d[:port],..." (spaces around entries allowed; an empty text is an empty list).
// Nothing when an entry is not a dotted IPv4 address or its port is not 1 to 65535.
std::optional<std::vector<Endpoint>> ParseAgentAddresses(const std::string& text,
                                                         std::uint16_t defaultPort);
// "500,750,..." in milliseconds, each 1 to 3600000; nothing when empty or malformed.
std::optional<std::vector<unsigned>> ParseTimeouts(const std::string& text);

} // namespace slp_ua
