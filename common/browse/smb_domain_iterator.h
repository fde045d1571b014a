#pragma once

#include "basalt_api.h"
#include "network/network_enumeration.h"

#include <string>

// The domains and workgroups of the Microsoft Windows Network, one at a time:
//     for (SMBDomainIterator domain; domain; ++domain) use(*domain);
// Without that network's provider there are none.
class BASALT_API SMBDomainIterator {
public:
    SMBDomainIterator();
    ~SMBDomainIterator();
    SMBDomainIterator(const SMBDomainIterator&) = delete;
    SMBDomainIterator& operator=(const SMBDomainIterator&) = delete;

    // Whether there is a current domain.
    explicit operator bool() const { return !current_.empty(); }
    SMBDomainIterator& operator++();
    const std::string& operator*() const { return current_; }

private:
    // Opens the enumeration of the Microsoft network's domains, when it has a provider here.
    void OpenDomains();
    void GetCurrentDomain();

    NetworkEnumeration domains_;
    std::string current_;
};
