#pragma once

#include "network/network_api.h"

#include <windows.h>

#include <utility>

// Owns an open network enumeration and closes it through the network that opened it.
class NetworkEnumeration {
public:
    explicit NetworkEnumeration(NetworkApi& network) noexcept : network_(&network) {}
    NetworkEnumeration(NetworkEnumeration&& other) noexcept
        : network_(other.network_), handle_(std::exchange(other.handle_, nullptr))
    {
    }
    NetworkEnumeration& operator=(NetworkEnumeration&& other) noexcept
    {
        if (this != &other) {
            Close();
            network_ = other.network_;
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    NetworkEnumeration(const NetworkEnumeration&) = delete;
    NetworkEnumeration& operator=(const NetworkEnumeration&) = delete;
    ~NetworkEnumeration() { Close(); }

    // WNetOpenEnumA on the owner's network; whatever was open before is closed first.
    DWORD Open(DWORD scope, DWORD type, DWORD usage, NETRESOURCEA* container)
    {
        Close();
        HANDLE opened = nullptr;
        const DWORD result = network_->OpenEnum(scope, type, usage, container, &opened);
        if (result == NO_ERROR)
            handle_ = opened;
        return result;
    }
    HANDLE Get() const noexcept { return handle_; }
    bool IsOpen() const noexcept { return handle_ != nullptr; }
    NetworkApi& Owner() const noexcept { return *network_; }

    void Close() noexcept
    {
        if (handle_)
            network_->CloseEnum(std::exchange(handle_, nullptr));
    }

private:
    NetworkApi* network_;
    HANDLE handle_ = nullptr;
};
