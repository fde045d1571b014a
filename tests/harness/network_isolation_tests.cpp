// Test, demo and benchmark runs happen in a network namespace of their own in which only the
// loopback interface is up (scripts/netns.sh): with no SLP settings in the registry view it
// reads, Probestar multicasts its requests with a time-to-live of 255, and a run whose
// settings land in the other view must not reach the real network. These tests check that,
// from a Windows program, with the socket calls Probestar makes: loopback works, anything else
// is refused by the socket layer for want of a route.
//
// They pass only inside such an isolated run (scripts/test.sh); run anywhere else, the sends
// to the outside succeed and the tests fail, as they should. So that such a run sends as
// little as possible, the unicast datagram has a time-to-live of 1 and the multicast one of 0
// (it stays on this machine); neither matters inside the namespace, where the send fails
// before any time-to-live is looked at.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr char kPayload[] = "Halvo network isolation check, not an SLP message";
constexpr int kPayloadSize = sizeof kPayload - 1;

sockaddr_in Address(const char* dotted, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    ::inet_pton(AF_INET, dotted, &address.sin_addr);
    return address;
}

// Winsock for as long as the object lives; declared before the sockets that need it.
class Winsock {
public:
    Winsock() : started_(::WSAStartup(MAKEWORD(2, 2), &data_) == 0) {}
    ~Winsock()
    {
        if (started_)
            ::WSACleanup();
    }
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
    bool Started() const { return started_; }

private:
    WSADATA data_{};
    bool started_;
};

class UdpSocket {
public:
    UdpSocket() : socket_(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}
    ~UdpSocket()
    {
        if (socket_ != INVALID_SOCKET)
            ::closesocket(socket_);
    }
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;
    SOCKET Handle() const { return socket_; }

    // The Winsock error of the send, or 0 when the whole datagram went out.
    int SendTo(const sockaddr_in& to) const
    {
        const int sent = ::sendto(socket_, kPayload, kPayloadSize, 0,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
        if (sent == SOCKET_ERROR)
            return ::WSAGetLastError();
        return sent == kPayloadSize ? 0 : -1;
    }

private:
    SOCKET socket_;
};

// A socket bound to a free loopback port, to receive what the tests send there.
class LoopbackReceiver {
public:
    LoopbackReceiver()
    {
        sockaddr_in local = Address("127.0.0.1", 0);
        int size = sizeof local;
        bound_ = ::bind(socket_.Handle(), reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                 ::getsockname(socket_.Handle(), reinterpret_cast<sockaddr*>(&local), &size) == 0;
        address_ = local;
    }
    bool Bound() const { return bound_; }
    const sockaddr_in& Endpoint() const { return address_; }

    // The next datagram, or nothing after five seconds.
    std::string Receive() const
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_.Handle(), &readable);
        timeval timeout{5, 0};
        if (::select(0, &readable, nullptr, nullptr, &timeout) != 1)
            return {};
        char buffer[512];
        const int received = ::recv(socket_.Handle(), buffer, sizeof buffer, 0);
        return received > 0 ? std::string(buffer, static_cast<std::size_t>(received)) : std::string();
    }

private:
    UdpSocket socket_;
    bool bound_ = false;
    sockaddr_in address_{};
};

bool IsNoRouteError(int error) { return error == WSAENETUNREACH || error == WSAEHOSTUNREACH; }

std::string Outcome(int error)
{
    if (error == 0)
        return "was sent: this run reaches the network (scripts/test.sh runs the tests cut off from it)";
    return "failed with error " + std::to_string(error) + ", which is not the missing route expected";
}

class NetworkIsolationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(winsock_.Started());
        ASSERT_NE(INVALID_SOCKET, sender_.Handle()) << ::WSAGetLastError();
        // Bound to any address, as Probestar's port is: the system picks the route.
        const sockaddr_in any = Address("0.0.0.0", 0);
        ASSERT_EQ(0, ::bind(sender_.Handle(), reinterpret_cast<const sockaddr*>(&any), sizeof any))
            << ::WSAGetLastError();
        ASSERT_TRUE(receiver_.Bound()) << ::WSAGetLastError();
    }

    // The sender reaches the loopback receiver: whatever fails afterwards fails because of
    // where it is sent, not because the socket is unusable.
    void ExpectLoopbackDelivery()
    {
        ASSERT_EQ(0, sender_.SendTo(receiver_.Endpoint()));
        EXPECT_EQ(kPayload, receiver_.Receive());
    }

    Winsock winsock_;
    UdpSocket sender_;
    LoopbackReceiver receiver_;
};

TEST_F(NetworkIsolationTest, ADatagramToTheLoopbackAddressArrives)
{
    ExpectLoopbackDelivery();
}

TEST_F(NetworkIsolationTest, ADatagramToAPrivateUnicastAddressIsRefusedForWantOfARoute)
{
    ExpectLoopbackDelivery();
    const DWORD ttl = 1;
    ASSERT_EQ(0, ::setsockopt(sender_.Handle(), IPPROTO_IP, IP_TTL, reinterpret_cast<const char*>(&ttl),
                              sizeof ttl));

    const int error = sender_.SendTo(Address("10.255.255.1", 427));

    EXPECT_TRUE(IsNoRouteError(error)) << "a datagram to 10.255.255.1 port 427 " << Outcome(error);
}

TEST_F(NetworkIsolationTest, AnSlpMulticastRequestIsRefusedForWantOfARoute)
{
    ExpectLoopbackDelivery();
    const DWORD ttl = 0;
    ASSERT_EQ(0, ::setsockopt(sender_.Handle(), IPPROTO_IP, IP_MULTICAST_TTL,
                              reinterpret_cast<const char*>(&ttl), sizeof ttl));

    const int error = sender_.SendTo(Address("239.255.255.253", 427));

    EXPECT_TRUE(IsNoRouteError(error))
        << "a datagram to the SLP multicast group 239.255.255.253 port 427 " << Outcome(error);
}

} // namespace
