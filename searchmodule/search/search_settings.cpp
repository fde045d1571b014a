#include "search_settings.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_compare.h"

namespace {

// A machine value of this module's own; the suite's programs never read it.
constexpr char kSearchThreadsValue[] = "SearchThreads";

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

void ReadMachineValues(SearchSettings& settings)
{
    const std::string path = ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH);
    if (!RegKey::LOCAL_MACHINE.KeyExists(path))
        return;
    unsigned long threads = 0;
    if (!RegKey::LOCAL_MACHINE.GetKeyRead(path).TryQueryDWORDValue(kSearchThreadsValue, threads))
        return;
    if (threads >= 1 && threads <= SearchSettings::kMaxListingThreads)
        settings.listingThreads = static_cast<unsigned>(threads);
    else
        LogFormatted("SearchSettings::ReadForCurrentUser(): SearchThreads %lu refused\n", threads);
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
    try {
        ReadMachineValues(settings);
    } catch (const RegKeyException& error) {
        LogRegKeyException("SearchSettings::ReadForCurrentUser(): machine - ", error);
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
