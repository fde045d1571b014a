#pragma once

// The user agent's datagram socket (Winsock, IPv4), bound to a free local port. Waits can be
// cut short by a cancel event owned by the handle.

#include "convergence.h"

#include <winsock2.h>
#include <windows.h>

namespace slp_ua {

// One Winsock start-up for the life of the object.
class WinsockSession {
public:
    WinsockSession() { ok_ = ::WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
    ~WinsockSession()
    {
        if (ok_)
            ::WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool IsReady() const { return ok_; }

private:
    WSADATA data_{};
    bool ok_ = false;
};

class UdpPort : public DatagramPort {
public:
    // cancel: an event that, once signalled, makes every wait return Cancelled (not owned).
    explicit UdpPort(HANDLE cancel);
    ~UdpPort() override;
    UdpPort(const UdpPort&) = delete;
    UdpPort& operator=(const UdpPort&) = delete;

    bool IsOpen() const { return socket_ != INVALID_SOCKET && readable_ != WSA_INVALID_EVENT; }

    bool Send(const Endpoint& to, const Bytes& message) override;
    Wait Receive(std::chrono::milliseconds timeout, Bytes& datagram, Endpoint& from) override;

private:
    SOCKET socket_ = INVALID_SOCKET;
    WSAEVENT readable_ = WSA_INVALID_EVENT;
    HANDLE cancel_;
};

} // namespace slp_ua
