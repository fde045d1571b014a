#include "udp_port.h"

#include <ws2tcpip.h>

#include <utility>

namespace slp_ua {
namespace {

constexpr int kLargestDatagram = 65535;
constexpr DWORD kMulticastTtl = 255;

sockaddr_in SocketAddress(const Endpoint& endpoint)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(endpoint.address);
    address.sin_port = htons(endpoint.port);
    return address;
}

} // namespace

UdpPort::UdpPort(HANDLE cancel) : cancel_(cancel)
{
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET)
        return;
    sockaddr_in local = SocketAddress(Endpoint{INADDR_ANY, 0});
    const auto ttl = static_cast<int>(kMulticastTtl);
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&ttl),
                     sizeof ttl) != 0) {
        ::closesocket(std::exchange(socket_, INVALID_SOCKET));
        return;
    }
    readable_ = ::WSACreateEvent();
    // Also makes the socket non-blocking, so reads never hang past the wait below.
    if (readable_ != WSA_INVALID_EVENT && ::WSAEventSelect(socket_, readable_, FD_READ) != 0) {
        ::WSACloseEvent(readable_);
        readable_ = WSA_INVALID_EVENT;
    }
}

UdpPort::~UdpPort()
{
    if (socket_ != INVALID_SOCKET)
        ::closesocket(socket_);
    if (readable_ != WSA_INVALID_EVENT)
        ::WSACloseEvent(readable_);
}

bool UdpPort::Send(const Endpoint& to, const Bytes& message)
{
    const sockaddr_in address = SocketAddress(to);
    return ::sendto(socket_, reinterpret_cast<const char*>(message.data()),
                    static_cast<int>(message.size()), 0,
                    reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
           static_cast<int>(message.size());
}

DatagramPort::Wait UdpPort::Receive(std::chrono::milliseconds timeout, Bytes& datagram,
                                    Endpoint& from)
{
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    datagram.resize(kLargestDatagram);
    for (;;) {
        // Reset before reading: a datagram that arrives after the read sets the event again.
        ::WSAResetEvent(readable_);
        sockaddr_in source{};
        int sourceSize = sizeof source;
        const int received = ::recvfrom(socket_, reinterpret_cast<char*>(datagram.data()),
                                        kLargestDatagram, 0, reinterpret_cast<sockaddr*>(&source),
                                        &sourceSize);
        if (received >= 0) {
            datagram.resize(static_cast<size_t>(received));
            from = Endpoint{ntohl(source.sin_addr.s_addr), ntohs(source.sin_port)};
            return Wait::Datagram;
        }
        const int error = ::WSAGetLastError();
        // An unreachable agent shows up as a reset of the next read; others may still answer.
        // A datagram larger than any SLP reply is not one.
        if (error != WSAEWOULDBLOCK && error != WSAECONNRESET && error != WSAEMSGSIZE)
            return Wait::Failed;
        if (error != WSAEWOULDBLOCK)
            continue;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return Wait::TimedOut;
        const HANDLE events[2] = {cancel_, readable_};
        switch (::WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(end - now))) {
        case WAIT_OBJECT_0:
            return Wait::Cancelled;
        case WAIT_OBJECT_0 + 1:
            break;
        case WAIT_TIMEOUT:
            return Wait::TimedOut;
        default:
            return Wait::Failed;
        }
    }
}

} // namespace slp_ua
