#pragma once

// The user agent's settings in the machine part of the suite's registry, under
// HKEY_LOCAL_MACHINE\SOFTWARE\Orvek Communications\Tessaro Halvo\SLP:
//   "Agent Addresses" REG_SZ     a.b.c.d[:port],...   (default: none)
//   "Port"            REG_DWORD  1 to 65535           (default 427)
//   "Multicast"       REG_DWORD  0 off, else on       (default on)
//   "Timeouts"        REG_SZ     ms,ms,...            (default 500,750,1000,1500,2000,3000)
//   "Maximum Wait"    REG_DWORD  ms, 1 to 3600000     (default 15000)

#include "agent_config.h"

#include <optional>

namespace slp_ua {

extern const char* const kConfigKeyPath;

// The defaults for every value that is absent; nothing when a value is present but unusable.
std::optional<AgentConfig> ReadAgentConfig();

} // namespace slp_ua
