#pragma once

#include "registry/registry.h"
#include "registry_config.h"

#include <cstdint>
#include <string>
#include <vector>

// Points the user agent of this process (registry sandbox in place) at loopback agents only,
// with multicast off: tests never send anything off the machine.
inline void ConfigureLoopbackAgents(const std::vector<std::uint16_t>& ports,
                                    const std::string& timeouts = "100,150,200")
{
    const RegKey key = RegKey::LOCAL_MACHINE.CreateKey(slp_ua::kConfigKeyPath);
    std::string addresses;
    for (std::uint16_t port : ports)
        addresses += (addresses.empty() ? "" : ",") + std::string("127.0.0.1:") + std::to_string(port);
    key.SetStringValue("Agent Addresses", addresses);
    key.SetDWORDValue("Multicast", 0);
    key.SetStringValue("Timeouts", timeouts);
    key.SetDWORDValue("Maximum Wait", 15000);
}
