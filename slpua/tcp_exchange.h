#pragma once

// A reply too large for a datagram is fetched again over TCP (RFC 2608, section 7): one
// request, one reply, on a connection of its own.

#include "convergence.h"

#include <winsock2.h>
#include <windows.h>

#include <optional>

namespace slp_ua {

// Replies longer than this are refused, whatever length the peer announces.
constexpr std::size_t kLargestStreamReply = 1 << 20;

// The whole reply, or nothing when the agent cannot be reached, does not answer within
// timeoutMs, announces an impossible length or the cancel event is signalled.
std::optional<Bytes> ExchangeOverTcp(const Endpoint& agent, const Bytes& request, HANDLE cancel,
                                     unsigned timeoutMs);

} // namespace slp_ua
