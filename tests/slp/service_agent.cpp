#include "service_agent.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace {

constexpr std::size_t kLanguageLength = 2; // the client asks in "en"
constexpr std::size_t kBodyStart = slp_wire::kFixedHeaderSize + kLanguageLength;

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value)
{
    bytes.at(offset) = static_cast<std::uint8_t>(value >> 8);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value);
}

void PutLength(std::vector<std::uint8_t>& bytes, std::uint32_t length)
{
    bytes.at(2) = static_cast<std::uint8_t>(length >> 16);
    bytes.at(3) = static_cast<std::uint8_t>(length >> 8);
    bytes.at(4) = static_cast<std::uint8_t>(length);
}

// A datagram socket on a free loopback port.
SOCKET LoopbackSocket()
{
    const SOCKET bound = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bound == INVALID_SOCKET || ::bind(bound, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        throw std::runtime_error("the test agent cannot bind a second loopback socket");
    return bound;
}

// A well-formed reply to the request that would report a server "poison" if taken.
std::vector<std::uint8_t> PoisonReply(const slp_wire::Header& request)
{
    slp_wire::Header header = request;
    header.flags = 0;
    if (request.function == slp_wire::Function::ServiceRequest)
        return *slp_wire::EncodeServiceReply({header, slp_wire::kErrorNone, {{10800, ServiceAgent::kPoisonUrl}}});
    return *slp_wire::EncodeAttributeReply({header, slp_wire::kErrorNone, "(TYPE=CDS),(LOCATION=poison)"});
}

} // namespace

ServiceAgent::ServiceAgent(std::vector<SimulatedServer> servers, AgentBehaviour behaviour)
    : servers_(std::move(servers)), behaviour_(behaviour)
{
    if (::WSAStartup(MAKEWORD(2, 2), &winsock_) != 0)
        throw std::runtime_error("WSAStartup failed");
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(behaviour_.listensOnEveryAddress ? INADDR_ANY : INADDR_LOOPBACK);
    int size = sizeof local;
    if (socket_ == INVALID_SOCKET ||
        ::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &size) != 0)
        throw std::runtime_error("the test agent cannot bind a loopback port");
    port_ = ntohs(local.sin_port);
    if (behaviour_.repliesFromAnotherPort)
        otherPort_ = LoopbackSocket();
    if (behaviour_.mtu > 0) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (listener_ == INVALID_SOCKET ||
            ::bind(listener_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
            ::listen(listener_, 8) != 0)
            throw std::runtime_error("the test agent cannot listen on its port for TCP");
        streamThread_ = std::thread([this] { ServeStreams(); });
    }
    thread_ = std::thread([this] { Serve(); });
}

ServiceAgent::~ServiceAgent()
{
    stop_ = true;
    thread_.join();
    if (streamThread_.joinable())
        streamThread_.join();
    for (SOCKET extra : {listener_, otherPort_}) {
        if (extra != INVALID_SOCKET)
            ::closesocket(extra);
    }
    ::closesocket(socket_);
    ::WSACleanup();
}

std::vector<ReceivedRequest> ServiceAgent::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<SimulatedServer> ServiceAgent::StorageServers(int count)
{
    std::vector<SimulatedServer> servers;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        servers.push_back({std::string(kServiceType) + "://127.0.0.1/server-" + n,
                           "(TYPE=CDS),(HW ID=" + std::to_string(i + 1) + "),(LOCATION=Room " + n +
                               "),(SMB NAME=SERVER" + n + "),PUBLIC"});
    }
    return servers;
}

void ServiceAgent::Serve()
{
    // Reads block for a short while at a time, so that the stop flag is seen.
    const DWORD pauseMs = 20;
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&pauseMs), sizeof pauseMs);
    std::vector<std::uint8_t> buffer(65535);
    while (!stop_) {
        sockaddr_in from{};
        int fromSize = sizeof from;
        const int received = ::recvfrom(socket_, reinterpret_cast<char*>(buffer.data()),
                                        static_cast<int>(buffer.size()), 0,
                                        reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (received > 0)
            Answer(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + received), from);
    }
}

std::vector<std::uint8_t> ServiceAgent::ReplyTo(const std::vector<std::uint8_t>& datagram, bool overTcp,
                                                slp_wire::Header& header)
{
    std::vector<std::uint8_t> reply;
    ReceivedRequest record{};
    if (auto request = slp_wire::DecodeServiceRequest(datagram.data(), datagram.size())) {
        record = {slp_wire::Function::ServiceRequest, request->header.xid,
                  request->previousResponders, request->serviceType, overTcp};
        header = request->header;
        reply = ServiceReplyTo(*request);
    } else if (auto request = slp_wire::DecodeAttributeRequest(datagram.data(), datagram.size())) {
        record = {slp_wire::Function::AttributeRequest, request->header.xid,
                  request->previousResponders, request->url, overTcp};
        header = request->header;
        reply = AttributeReplyTo(*request);
    } else {
        return {};
    }
    std::lock_guard lock(mutex_);
    requests_.push_back(record);
    if (!overTcp && ignored_ < behaviour_.ignoredRequests) {
        ++ignored_;
        return {};
    }
    return reply;
}

void ServiceAgent::Answer(const std::vector<std::uint8_t>& datagram, const sockaddr_in& from)
{
    slp_wire::Header header;
    std::vector<std::uint8_t> reply = ReplyTo(datagram, false, header);
    if (reply.empty())
        return;
    if (behaviour_.replyDelayMs > 0)
        ::Sleep(behaviour_.replyDelayMs);
    if (behaviour_.staleRepliesCarryNextXid) {
        if (havePrevious_)
            Send(PoisonReply(header), previousFrom_);
        havePrevious_ = true;
        previousFrom_ = from;
    }
    if (behaviour_.brokenRepliesFirst || behaviour_.onlyBrokenReplies)
        SendBrokenReplies(header, from);
    if (behaviour_.onlyBrokenReplies)
        return;
    if (behaviour_.mtu > 0 && reply.size() > behaviour_.mtu) {
        // Cut as an agent does for a datagram: flagged, the header still announcing the whole.
        reply.resize(behaviour_.mtu);
        reply[5] |= static_cast<std::uint8_t>(slp_wire::kFlagOverflow >> 8);
    }
    Send(reply, from);
}

// One request and one reply per connection, as a user agent sends them after an overflow.
void ServiceAgent::ServeStreams()
{
    while (!stop_) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        timeval pause{0, 20000};
        if (::select(0, &readable, nullptr, nullptr, &pause) <= 0)
            continue;
        const SOCKET connection = ::accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            continue;
        const DWORD patienceMs = 2000;
        ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&patienceMs),
                     sizeof patienceMs);
        std::vector<std::uint8_t> request(5);
        std::size_t have = 0;
        std::size_t expected = request.size();
        while (have < expected) {
            const int received = ::recv(connection, reinterpret_cast<char*>(request.data() + have),
                                        static_cast<int>(expected - have), 0);
            if (received <= 0)
                break;
            have += static_cast<std::size_t>(received);
            if (have == 5) {
                expected = static_cast<std::size_t>(request[2]) << 16 | request[3] << 8 | request[4];
                if (expected < 5 || expected > 65535)
                    break;
                request.resize(expected);
            }
        }
        slp_wire::Header header;
        const std::vector<std::uint8_t> reply =
            have == expected ? ReplyTo(request, true, header) : std::vector<std::uint8_t>();
        if (!reply.empty())
            ::send(connection, reinterpret_cast<const char*>(reply.data()), static_cast<int>(reply.size()), 0);
        ::closesocket(connection);
    }
}

std::vector<std::uint8_t> ServiceAgent::ServiceReplyTo(const slp_wire::ServiceRequest& request) const
{
    slp_wire::ServiceReply reply;
    reply.header = request.header;
    reply.header.flags = 0;
    if (request.serviceType == kServiceType) {
        for (const SimulatedServer& server : servers_)
            reply.urls.push_back({10800, server.url});
    }
    return slp_wire::EncodeServiceReply(reply).value_or(std::vector<std::uint8_t>());
}

std::vector<std::uint8_t> ServiceAgent::AttributeReplyTo(const slp_wire::AttributeRequest& request) const
{
    // Like an agent asked by multicast, it says nothing about services it does not hold, so
    // that with several agents the one that holds the service gives the answer.
    for (const SimulatedServer& server : servers_) {
        if (server.url == request.url && server.answersAttributeRequests) {
            slp_wire::AttributeReply reply;
            reply.header = request.header;
            reply.header.flags = 0;
            reply.attributes = server.attributes;
            return slp_wire::EncodeAttributeReply(reply).value_or(std::vector<std::uint8_t>());
        }
    }
    return {};
}

// Replies that look like answers to the request but must each be refused whole.
void ServiceAgent::SendBrokenReplies(const slp_wire::Header& request, const sockaddr_in& to)
{
    const std::vector<std::uint8_t> poison = PoisonReply(request);
    const bool serviceReply = request.function == slp_wire::Function::ServiceRequest;
    // Offsets of the URL or attribute-list length field and of the URL count.
    const std::size_t innerLength = kBodyStart + (serviceReply ? 7 : 2);
    const std::size_t countOffset = serviceReply ? kBodyStart + 2 : 0;
    const auto fullLength = static_cast<std::uint32_t>(poison.size());

    std::vector<std::uint8_t> truncated(poison.begin(), poison.begin() + poison.size() / 2);
    Send(truncated, to);
    std::vector<std::uint8_t> withoutTail(poison.begin(), poison.end() - 1);
    PutLength(withoutTail, fullLength - 1); // consistent header, but the last field is cut
    Send(withoutTail, to);
    std::vector<std::uint8_t> longerThanSent = poison;
    PutLength(longerThanSent, fullLength + 40);
    Send(longerThanSent, to);
    std::vector<std::uint8_t> wrongVersion = poison;
    wrongVersion[0] = 1;
    Send(wrongVersion, to);
    std::vector<std::uint8_t> innerPastEnd = poison;
    PutU16(innerPastEnd, innerLength, 0xFFFF);
    Send(innerPastEnd, to);
    std::vector<std::uint8_t> languagePastEnd = poison;
    PutU16(languagePastEnd, slp_wire::kFixedHeaderSize - 2, 0x7FFF);
    Send(languagePastEnd, to);
    if (countOffset != 0) {
        std::vector<std::uint8_t> countPastEnd = poison;
        PutU16(countPastEnd, countOffset, 2);
        Send(countPastEnd, to);
    }
    std::vector<std::uint8_t> otherXid = poison;
    PutU16(otherXid, 10, static_cast<std::uint16_t>(request.xid + 1));
    Send(otherXid, to);
    std::vector<std::uint8_t> otherFunction = poison;
    otherFunction[1] = static_cast<std::uint8_t>(slp_wire::Function::ServiceRequest);
    Send(otherFunction, to);
    Send(std::vector<std::uint8_t>{2}, to);
}

void ServiceAgent::Send(const std::vector<std::uint8_t>& datagram, const sockaddr_in& to)
{
    SendFrom(otherPort_ != INVALID_SOCKET ? otherPort_ : socket_, datagram, to);
}

void ServiceAgent::SendFrom(SOCKET from, const std::vector<std::uint8_t>& datagram, const sockaddr_in& to)
{
    ::sendto(from, reinterpret_cast<const char*>(datagram.data()), static_cast<int>(datagram.size()), 0,
             reinterpret_cast<const sockaddr*>(&to), sizeof to);
}
