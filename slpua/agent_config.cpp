#include "agent_config.h"

#include <cctype>

namespace slp_ua {
namespace {

constexpr unsigned long kLongestTimeoutMs = 3600000;

std::string Trimmed(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

std::vector<std::string> SplitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(Trimmed(text.substr(start, comma - start)));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

// Decimal digits only, at most `limit`.
std::optional<unsigned long> Number(const std::string& text, unsigned long limit)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > limit)
        return std::nullopt;
    return static_cast<unsigned long>(value);
}

std::optional<std::uint32_t> DottedQuad(const std::string& text)
{
    std::uint32_t address = 0;
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = text.find('.', start);
        if ((i < 3) == (dot == std::string::npos))
            return std::nullopt;
        const auto part = Number(text.substr(start, dot - start), 255);
        if (!part)
            return std::nullopt;
        address = address << 8 | *part;
        start = dot + 1;
    }
    return address;
}

} // namespace

RequestSchedule AgentConfig::Schedule() const
{
    RequestSchedule schedule;
    schedule.agents = agents;
    if (multicast)
        schedule.multicastGroup = Endpoint{kSlpMulticastGroup, port};
    schedule.timeoutsMs = timeoutsMs;
    schedule.maximumWaitMs = maximumWaitMs;
    return schedule;
}

std::optional<std::vector<Endpoint>> ParseAgentAddresses(const std::string& text,
                                                         std::uint16_t defaultPort)
{
    std::vector<Endpoint> agents;
    if (Trimmed(text).empty())
        return agents;
    for (const std::string& entry : SplitAtCommas(text)) {
        const std::size_t colon = entry.find(':');
        const auto address = DottedQuad(entry.substr(0, colon));
        if (!address)
            return std::nullopt;
        std::uint16_t port = defaultPort;
        if (colon != std::string::npos) {
            const auto explicitPort = Number(entry.substr(colon + 1), 65535);
            if (!explicitPort || *explicitPort == 0)
                return std::nullopt;
            port = static_cast<std::uint16_t>(*explicitPort);
        }
        agents.push_back(Endpoint{*address, port});
    }
    return agents;
}

std::optional<std::vector<unsigned>> ParseTimeouts(const std::string& text)
{
    std::vector<unsigned> timeouts;
    for (const std::string& entry : SplitAtCommas(text)) {
        const auto value = Number(entry, kLongestTimeoutMs);
        if (!value || *value == 0)
            return std::nullopt;
        timeouts.push_back(static_cast<unsigned>(*value));
    }
    return timeouts;
}

} // namespace slp_ua
