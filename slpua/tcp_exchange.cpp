#include "tcp_exchange.h"

#include <algorithm>

namespace slp_ua {
namespace {

constexpr std::size_t kLengthFieldEnd = 5; // version, function, 3-byte length

class StreamSocket {
public:
    StreamSocket()
    {
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        event_ = ::WSACreateEvent();
        if (socket_ != INVALID_SOCKET && event_ != WSA_INVALID_EVENT &&
            ::WSAEventSelect(socket_, event_, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
            ::closesocket(socket_);
            socket_ = INVALID_SOCKET;
        }
    }
    ~StreamSocket()
    {
        if (socket_ != INVALID_SOCKET)
            ::closesocket(socket_);
        if (event_ != WSA_INVALID_EVENT)
            ::WSACloseEvent(event_);
    }
    StreamSocket(const StreamSocket&) = delete;
    StreamSocket& operator=(const StreamSocket&) = delete;

    bool IsOpen() const { return socket_ != INVALID_SOCKET && event_ != WSA_INVALID_EVENT; }
    SOCKET Get() const { return socket_; }

    // Waits for any network event until the deadline; false on timeout, cancel or failure.
    bool Wait(HANDLE cancel, ULONGLONG deadline, long& events)
    {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        const HANDLE handles[2] = {cancel, event_};
        if (::WaitForMultipleObjects(2, handles, FALSE, static_cast<DWORD>(deadline - now)) != WAIT_OBJECT_0 + 1)
            return false;
        WSANETWORKEVENTS network{};
        if (::WSAEnumNetworkEvents(socket_, event_, &network) != 0)
            return false;
        if ((network.lNetworkEvents & FD_CONNECT) && network.iErrorCode[FD_CONNECT_BIT] != 0)
            return false;
        events = network.lNetworkEvents;
        return true;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
    WSAEVENT event_ = WSA_INVALID_EVENT;
};

bool Connect(StreamSocket& stream, const Endpoint& agent, HANDLE cancel, ULONGLONG deadline)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(agent.address);
    address.sin_port = htons(agent.port);
    if (::connect(stream.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return true;
    if (::WSAGetLastError() != WSAEWOULDBLOCK)
        return false;
    for (long events = 0; stream.Wait(cancel, deadline, events);) {
        if (events & FD_CONNECT)
            return true;
    }
    return false;
}

bool SendAll(StreamSocket& stream, const Bytes& request, HANDLE cancel, ULONGLONG deadline)
{
    std::size_t sent = 0;
    while (sent < request.size()) {
        const int result = ::send(stream.Get(), reinterpret_cast<const char*>(request.data() + sent),
                                  static_cast<int>(request.size() - sent), 0);
        if (result > 0) {
            sent += static_cast<std::size_t>(result);
            continue;
        }
        long events = 0;
        if (::WSAGetLastError() != WSAEWOULDBLOCK || !stream.Wait(cancel, deadline, events))
            return false;
    }
    return true;
}

// Reads until the message announced by its own header is complete.
std::optional<Bytes> ReceiveMessage(StreamSocket& stream, HANDLE cancel, ULONGLONG deadline)
{
    Bytes message;
    std::size_t expected = kLengthFieldEnd;
    char buffer[4096];
    while (message.size() < expected) {
        const int wanted = static_cast<int>(std::min(sizeof buffer, expected - message.size()));
        const int result = ::recv(stream.Get(), buffer, wanted, 0);
        if (result > 0) {
            message.insert(message.end(), buffer, buffer + result);
            if (expected == kLengthFieldEnd && message.size() == kLengthFieldEnd) {
                expected = static_cast<std::size_t>(message[2]) << 16 |
                           static_cast<std::size_t>(message[3]) << 8 | message[4];
                if (expected < kLengthFieldEnd || expected > kLargestStreamReply)
                    return std::nullopt;
            }
            continue;
        }
        long events = 0;
        if (result == 0 || ::WSAGetLastError() != WSAEWOULDBLOCK || !stream.Wait(cancel, deadline, events))
            return std::nullopt;
    }
    return message;
}

} // namespace

std::optional<Bytes> ExchangeOverTcp(const Endpoint& agent, const Bytes& request, HANDLE cancel,
                                     unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    StreamSocket stream;
    if (!stream.IsOpen() || !Connect(stream, agent, cancel, deadline) ||
        !SendAll(stream, request, cancel, deadline))
        return std::nullopt;
    return ReceiveMessage(stream, cancel, deadline);
}

} // namespace slp_ua
