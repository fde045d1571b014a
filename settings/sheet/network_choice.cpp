#include "network_choice.h"

#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "setting_values.h"
#include "settings/product_keys.h"

namespace {

std::string ProtocolsKeyPath() { return ProductSubKeyPath(IDS_SUBKEY_MEDIA_TYPE) + CommonText(IDS_SUBKEY_PROTOCOLS); }

// A DWORD of the user's "Disc Search" key: whether a network is searched.
bool IsSearched(const RegKeyRead& discSearch, const std::string& network)
{
    unsigned long value = 0;
    return discSearch.TryQueryDWORDValue(network, value) && value != 0;
}

} // namespace

std::vector<OfferedNetwork> ReadNetworkChoice(const char* caller)
{
    std::vector<OfferedNetwork> networks;
    std::string key;
    try {
        key = ProtocolsKeyPath();
        if (!RegKey::LOCAL_MACHINE.KeyExists(key))
            return networks;
        RegValueEnumerator values = RegKey::LOCAL_MACHINE.GetKeyRead(key).GetValueEnumerator();
        while (values.Next()) {
            if (!values.GetName().empty())
                networks.push_back({values.GetName(), false});
        }
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, std::string(), error);
        return networks;
    }
    try {
        key = ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH);
        if (RegKey::CURRENT_USER.KeyExists(key)) {
            const RegKeyRead discSearch = RegKey::CURRENT_USER.GetKeyRead(key);
            for (OfferedNetwork& network : networks) {
                try {
                    network.searched = IsSearched(discSearch, network.name);
                } catch (const RegKeyException& error) {
                    LogSettingException(caller, key, network.name, error);
                }
            }
        }
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, std::string(), error);
    }
    return networks;
}

void SaveNetworkChoice(const std::vector<OfferedNetwork>& networks, const char* caller)
{
    std::string key;
    try {
        key = ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH);
        const RegKey discSearch = RegKey::CURRENT_USER.CreateKey(key);
        for (const OfferedNetwork& network : networks) {
            try {
                discSearch.SetDWORDValue(network.name, network.searched ? 1 : 0);
            } catch (const RegKeyException& error) {
                LogSettingException(caller, key, network.name, error);
            }
        }
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, std::string(), error);
    }
}

DomainChoice ReadDomainChoice(const char* caller)
{
    DomainChoice choice;
    std::string key;
    try {
        key = ProductSubKeyPath(IDS_SUBKEY_SMB_DOMAINS);
        if (!RegKey::CURRENT_USER.KeyExists(key))
            return choice;
        const RegKeyRead domains = RegKey::CURRENT_USER.GetKeyRead(key);
        RegValueEnumerator values = domains.GetValueEnumerator();
        while (values.Next()) {
            if (values.GetType() == StringValue && !values.GetName().empty())
                choice.domains.push_back(values.GetName());
        }
        unsigned long entire = 0;
        const bool stated = domains.TryQueryDWORDValue(CommonText(IDS_ENTIRE_NETWORK_VALUE), entire);
        choice.scope = (stated ? entire == 1 : choice.domains.empty()) ? AllDomains : SelectedDomains;
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, CommonText(IDS_ENTIRE_NETWORK_VALUE), error);
    }
    return choice;
}

void SaveDomainChoice(const DomainChoice& choice, const char* caller)
{
    const auto searched = [caller](UINT networkId) {
        std::string key;
        try {
            key = ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH);
            return RegKey::CURRENT_USER.KeyExists(key) &&
                   IsSearched(RegKey::CURRENT_USER.GetKeyRead(key), CommonText(networkId));
        } catch (const RegKeyException& error) {
            LogSettingException(caller, key, CommonText(networkId), error);
            return false;
        }
    };
    AuxiliaryFunctions::SaveNetworkSettings(searched(IDS_NETWARE_NETWORK_VALUE) ? 1 : 0,
                                            searched(IDS_MS_WINDOWS_NETWORK_VALUE) ? 1 : 0, choice.scope,
                                            choice.domains);
}
