#pragma once

// A small SLP service agent on the loopback interface for tests: it answers Service Requests
// with the URLs of simulated storage servers and Attribute Requests with their attribute
// lists. Predicates are not evaluated, so clients must check what they are given. It can
// answer slowly, late (ignoring first transmissions) or with broken datagrams.

#include "slp_wire.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SimulatedServer {
    std::string url;
    std::string attributes;
    bool answersAttributeRequests = true;
};

struct AgentBehaviour {
    unsigned replyDelayMs = 0;
    // Transmissions to leave unanswered, counted over all requests.
    unsigned ignoredRequests = 0;
    // Before each valid reply, send broken ones that would report a server "poison" if taken.
    bool brokenRepliesFirst = false;
    // Send only the broken replies.
    bool onlyBrokenReplies = false;
    // Before answering a request, send to where the request before it came from a reply that
    // would report "poison", carrying this request's XID: a late or broken answer to the
    // earlier request.
    bool staleRepliesCarryNextXid = false;
    // Answer from another port of the same address.
    bool repliesFromAnotherPort = false;
    // Take requests sent to any loopback address (127.0.0.2 too); the answers still come
    // from 127.0.0.1.
    bool listensOnEveryAddress = false;
    // When set, longer replies are cut to this size and flagged as overflowed, and the whole
    // reply is served over TCP on the same port number.
    std::size_t mtu = 0;
};

struct ReceivedRequest {
    slp_wire::Function function;
    std::uint16_t xid;
    std::string previousResponders;
    std::string subject; // service type or URL
    bool overTcp = false;
};

class ServiceAgent {
public:
    static constexpr const char* kServiceType = "service:lumivex.orvek";
    static constexpr const char* kPoisonUrl = "service:lumivex.orvek://poison";

    explicit ServiceAgent(std::vector<SimulatedServer> servers, AgentBehaviour behaviour = {});
    ~ServiceAgent();
    ServiceAgent(const ServiceAgent&) = delete;
    ServiceAgent& operator=(const ServiceAgent&) = delete;

    std::uint16_t Port() const { return port_; }
    std::vector<ReceivedRequest> Requests() const;

    // "service:lumivex.orvek://127.0.0.1/server-N" with the attributes of a storage server.
    static std::vector<SimulatedServer> StorageServers(int count);

private:
    void Serve();
    void ServeStreams();
    // The reply to a request, or nothing (stays silent); records the request.
    std::vector<std::uint8_t> ReplyTo(const std::vector<std::uint8_t>& request, bool overTcp,
                                      slp_wire::Header& header);
    void Answer(const std::vector<std::uint8_t>& request, const sockaddr_in& from);
    std::vector<std::uint8_t> ServiceReplyTo(const slp_wire::ServiceRequest& request) const;
    std::vector<std::uint8_t> AttributeReplyTo(const slp_wire::AttributeRequest& request) const;
    void SendBrokenReplies(const slp_wire::Header& request, const sockaddr_in& to);
    void Send(const std::vector<std::uint8_t>& datagram, const sockaddr_in& to);
    void SendFrom(SOCKET from, const std::vector<std::uint8_t>& datagram, const sockaddr_in& to);

    std::vector<SimulatedServer> servers_;
    AgentBehaviour behaviour_;
    WSADATA winsock_{};
    SOCKET socket_ = INVALID_SOCKET;
    SOCKET otherPort_ = INVALID_SOCKET;
    SOCKET listener_ = INVALID_SOCKET;
    // Where the request before the latest one came from (for stale replies).
    bool havePrevious_ = false;
    sockaddr_in previousFrom_{};
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<ReceivedRequest> requests_;
    unsigned ignored_ = 0;
    std::thread thread_;
    std::thread streamThread_;
};
