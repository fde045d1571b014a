#pragma once

#include "settings/auxiliary.h"

#include <string>
#include <vector>

// A network the computer offers for searching (a value name of the machine's
// "Media Type\Protocols" key) and whether the user searches it (the user's "Disc Search" key).
struct OfferedNetwork {
    std::string name;
    bool searched = false;

    bool operator==(const OfferedNetwork&) const = default;
};

std::vector<OfferedNetwork> ReadNetworkChoice(const char* caller);
// Writes 1 for every searched network and 0 for every other.
void SaveNetworkChoice(const std::vector<OfferedNetwork>& networks, const char* caller);

// Which domains of the Microsoft Windows Network a search covers.
struct DomainChoice {
    SMBSearchScope scope = AllDomains;
    // The domains ticked: searched with SelectedDomains, kept for a later choice otherwise.
    std::vector<std::string> domains;

    bool operator==(const DomainChoice&) const = default;
};

// The user's choice: the string values of "Disc Search\SMB Domains" name the domains (values of
// other types, such as the "Entire Network" DWORD, are never domains); "Entire Network" 1, or
// no domains at all, means every domain.
DomainChoice ReadDomainChoice(const char* caller);
// Stores the choice with the networks searched as they are now saved.
void SaveDomainChoice(const DomainChoice& choice, const char* caller);
