#include "registry_config.h"

#include <windows.h>

#include <vector>

namespace slp_ua {

const char* const kConfigKeyPath = "SOFTWARE\\Orvek Communications\\Tessaro Halvo\\SLP";

namespace {

class ConfigKey {
public:
    ConfigKey()
    {
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kConfigKeyPath, 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~ConfigKey()
    {
        if (key_)
            ::RegCloseKey(key_);
    }
    ConfigKey(const ConfigKey&) = delete;
    ConfigKey& operator=(const ConfigKey&) = delete;

    bool IsOpen() const { return key_ != nullptr; }

    // Absent: nothing, and `ok` stays true. Of another type or unreadable: `ok` false.
    std::optional<DWORD> Dword(const char* name, bool& ok) const
    {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        const LONG status = ::RegQueryValueExA(key_, name, nullptr, &type,
                                               reinterpret_cast<BYTE*>(&value), &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
            ok = false;
        return ok ? std::optional<DWORD>(value) : std::nullopt;
    }

    std::optional<std::string> Text(const char* name, bool& ok) const
    {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = ::RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            ok = false;
            return std::nullopt;
        }
        std::vector<char> buffer(size + 1, '\0');
        status = ::RegQueryValueExA(key_, name, nullptr, &type,
                                    reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            ok = false;
            return std::nullopt;
        }
        return std::string(buffer.data());
    }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::optional<AgentConfig> ReadAgentConfig()
{
    AgentConfig config;
    const ConfigKey key;
    if (!key.IsOpen())
        return config;
    bool ok = true;
    if (const auto port = key.Dword("Port", ok)) {
        if (*port == 0 || *port > 65535)
            return std::nullopt;
        config.port = static_cast<std::uint16_t>(*port);
    }
    if (const auto multicast = key.Dword("Multicast", ok))
        config.multicast = *multicast != 0;
    if (const auto wait = key.Dword("Maximum Wait", ok)) {
        if (*wait == 0 || *wait > 3600000)
            return std::nullopt;
        config.maximumWaitMs = *wait;
    }
    if (const auto timeouts = key.Text("Timeouts", ok)) {
        auto parsed = ParseTimeouts(*timeouts);
        if (!parsed)
            return std::nullopt;
        config.timeoutsMs = std::move(*parsed);
    }
    if (const auto addresses = key.Text("Agent Addresses", ok)) {
        auto parsed = ParseAgentAddresses(*addresses, config.port);
        if (!parsed)
            return std::nullopt;
        config.agents = std::move(*parsed);
    }
    if (!ok)
        return std::nullopt;
    return config;
}

} // namespace slp_ua
