#include "search_settings.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_compare.h"

namespace {

void ReadNetworks(SearchSettings& settings)
{
    const std::string path = ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH);
    if (!RegKey::CURRENT_USER.KeyExists(path))
        return;
    const RegKeyRead key = RegKey::CURRENT_USER.GetKeyRead(path);
    unsigned long value = 0;
    if (key.TryQueryDWORDValue(CommonText(IDS_MS_WINDOWS_NETWORK_VALUE), value))
        settings.windowsNetwork = value != 0;
    if (key.TryQueryDWORDValue(CommonText(IDS_NETWARE_NETWORK_VALUE), value))
        settings.netWare = value != 0;
}

void ReadDomains(SearchSettings& settings)
{
    const std::string path = ProductSubKeyPath(IDS_SUBKEY_SMB_DOMAINS);
    if (!RegKey::CURRENT_USER.KeyExists(path))
        return;
    const RegKeyRead key = RegKey::CURRENT_USER.GetKeyRead(path);
    RegValueEnumerator values = key.GetValueEnumerator();
    while (values.Next()) {
        if (values.GetType() == StringValue && !values.GetName().empty())
            settings.domains.push_back(values.GetName());
    }
    unsigned long entire = 0;
    if (key.TryQueryDWORDValue(CommonText(IDS_ENTIRE_NETWORK_VALUE), entire))
        settings.entireNetwork = entire == 1;
    else
        settings.entireNetwork = settings.domains.empty();
}

} // namespace

SearchSettings SearchSettings::ReadForCurrentUser()
{
    SearchSettings settings;
    try {
        ReadNetworks(settings);
    } catch (const RegKeyException& error) {
        LogRegKeyException("SearchSettings::ReadForCurrentUser(): Disc Search - ", error);
    }
    try {
        ReadDomains(settings);
    } catch (const RegKeyException& error) {
        LogRegKeyException("SearchSettings::ReadForCurrentUser(): SMB domains - ", error);
    }
    return settings;
}

bool SearchSettings::CoversDomain(const std::string& domain) const
{
    if (entireNetwork)
        return true;
    for (const std::string& chosen : domains) {
        if (EqualsNoCase(chosen, domain))
            return true;
    }
    return false;
}
