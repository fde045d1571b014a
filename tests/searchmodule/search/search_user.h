#pragma once

// The registry of a user whose discs a search may look for, in a scratch Wine prefix of its
// own (the simulated network's provider reads HKEY_LOCAL_MACHINE in the searching process, so
// the registry cannot be redirected): installation folder, cache root, network settings, and
// an SLP user agent that only asks loopback agents.
#include "item/item.h"
#include "registry/registry.h"
#include "registry_config.h"
#include "support/branding_loaded.h"

#include <string>
#include <vector>

inline const std::string kSearchUserKey = kProductKey;
inline const std::string kDiscSearchKey = kSearchUserKey + "\\Disc Search";
inline const std::string kSmbDomainsKey = kDiscSearchKey + "\\SMB Domains";
inline const std::string kMachineDiscSearchKey = std::string(kProductKey) + "\\Disc Search";

// How many servers a search lists at once ("SearchThreads" of the machine).
inline void SetListingThreads(unsigned long threads)
{
    RegKey::LOCAL_MACHINE.CreateKey(kMachineDiscSearchKey).SetDWORDValue("SearchThreads", threads);
}

// No domain: the entire network.
inline void ChooseDomains(const std::vector<std::string>& domains)
{
    if (RegKey::CURRENT_USER.KeyExists(kSmbDomainsKey))
        RegKey::CURRENT_USER.DeleteKey(kSmbDomainsKey);
    const RegKey key = RegKey::CURRENT_USER.CreateKey(kSmbDomainsKey);
    key.SetDWORDValue("Entire Network", domains.empty() ? 1 : 0);
    for (const std::string& domain : domains)
        key.SetStringValue(domain, "");
}

// "a.b.c.d:port,..." or none; no multicast and short waits, so that searches stay local and fast.
inline void ConfigureSlpAgents(const std::string& agents)
{
    const RegKey key = RegKey::LOCAL_MACHINE.CreateKey(slp_ua::kConfigKeyPath);
    key.SetStringValue("Agent Addresses", agents);
    key.SetDWORDValue("Multicast", 0);
    key.SetStringValue("Timeouts", "50,50");
    key.SetDWORDValue("Maximum Wait", 2000);
}

// A fresh user searching the Microsoft Windows Network's every domain, with the database file
// in `programPath`.
inline void PrepareSearchUser(const std::string& programPath)
{
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", programPath);
    if (RegKey::LOCAL_MACHINE.KeyExists(kMachineDiscSearchKey))
        RegKey::LOCAL_MACHINE.DeleteKey(kMachineDiscSearchKey);
    ConfigureSlpAgents("");
    if (RegKey::CURRENT_USER.KeyExists(kSearchUserKey))
        RegKey::CURRENT_USER.DeleteKey(kSearchUserKey);
    const RegKey root = RegKey::CURRENT_USER.CreateKey(kSearchUserKey + "\\Cache");
    root.SetStringValue("Name", "Network Storage");
    root.SetStringValue("OriginalName", "Network Storage");
    root.SetDWORDValue("ItemType", RootFolder);
    root.SetDWORDValue("HasSubFolders", 0);
    const RegKey discSearch = RegKey::CURRENT_USER.CreateKey(kDiscSearchKey);
    discSearch.SetDWORDValue("Microsoft Windows Network", 1);
    discSearch.SetDWORDValue("NetWare Network", 0);
    ChooseDomains({});
}
