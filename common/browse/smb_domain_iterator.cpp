#include "browse/smb_domain_iterator.h"

#include "logging/logging.h"

#include <new>
#include <vector>

namespace {

// WNetGetNetworkInformation's network type of the Microsoft Windows Network (WNNC_NET_LANMAN).
constexpr WORD kLanManagerNetType = HIWORD(WNNC_NET_LANMAN);
constexpr DWORD kProviderBufferSize = 16 * 1024;
constexpr DWORD kDomainBufferSize = 1000;

// Reads the next entry of an enumeration into buffer, growing it when the entry does not fit:
// a domain's record with its comment may be larger than any fixed size. The entry, or null at
// the end of the enumeration or on a failure.
const NETRESOURCEA* NextEntry(NetworkEnumeration& enumeration, std::vector<BYTE>& buffer)
{
    for (;;) {
        DWORD count = 1;
        DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD result = enumeration.Owner().EnumResource(enumeration.Get(), &count, buffer.data(), &size);
        if (result == ERROR_MORE_DATA && size > buffer.size()) {
            buffer.resize(size);
            continue;
        }
        if (result != NO_ERROR || count == 0)
            return nullptr;
        return reinterpret_cast<const NETRESOURCEA*>(buffer.data());
    }
}

bool IsMicrosoftNetwork(NetworkApi& network, const NETRESOURCEA& provider)
{
    const char* name = provider.lpProvider ? provider.lpProvider : provider.lpRemoteName;
    if (!name)
        return false;
    NETINFOSTRUCT information{};
    information.cbStructure = sizeof information;
    if (network.GetNetworkInformation(name, &information) != NO_ERROR) {
        Logging::OutToLogFile("SMBDomainIterator() | WNetGetNetworkInformation failed\n");
        return false;
    }
    return information.wNetType == kLanManagerNetType;
}

} // namespace

SMBDomainIterator::SMBDomainIterator() : domains_(Network())
{
    try {
        OpenDomains();
        GetCurrentDomain();
    } catch (const std::bad_alloc&) {
        Logging::OutToLogFile("SMBDomainIterator() | A global allocation failed\n");
        domains_.Close();
        current_.clear();
    }
}

SMBDomainIterator::~SMBDomainIterator() = default;

void SMBDomainIterator::OpenDomains()
{
    NetworkApi& network = domains_.Owner();
    NetworkEnumeration providers(network);
    if (providers.Open(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, nullptr) != NO_ERROR)
        return;
    std::vector<BYTE> buffer(kProviderBufferSize);
    while (const NETRESOURCEA* provider = NextEntry(providers, buffer)) {
        if (!IsMicrosoftNetwork(network, *provider))
            continue;
        NETRESOURCEA container = *provider;
        domains_.Open(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, &container);
        return;
    }
}

void SMBDomainIterator::GetCurrentDomain()
{
    current_.clear();
    if (!domains_.IsOpen())
        return;
    std::vector<BYTE> buffer(kDomainBufferSize);
    while (const NETRESOURCEA* domain = NextEntry(domains_, buffer)) {
        if (domain->lpRemoteName && *domain->lpRemoteName) {
            current_ = domain->lpRemoteName;
            return;
        }
    }
    domains_.Close();   // the end: nothing more to read
}

SMBDomainIterator& SMBDomainIterator::operator++()
{
    try {
        GetCurrentDomain();
    } catch (const std::bad_alloc&) {
        Logging::OutToLogFile("SMBDomainIterator() | A global allocation failed\n");
        domains_.Close();
        current_.clear();
    }
    return *this;
}
