// Where the provider finds its name and its network description.
#pragma once

#include <optional>
#include <string>

#include "network_description.h"

namespace simnet {

// The service name the install script registers the provider under.
inline constexpr wchar_t kServiceName[] = L"SimNet";
inline constexpr wchar_t kNetworkProviderKey[] = L"System\\CurrentControlSet\\Services\\SimNet\\NetworkProvider";
inline constexpr wchar_t kParametersKey[] = L"System\\CurrentControlSet\\Services\\SimNet\\Parameters";
inline constexpr wchar_t kDescriptionFileValue[] = L"DescriptionFile";

// The "Name" the provider is registered with; every resource it returns carries it.
std::wstring ProviderName();

// The description named in the registry, read afresh on every call so that a test or the demo
// can change the network while programs run. Empty when the file is missing or unreadable.
std::optional<NetworkDescription> LoadNetworkDescription();

}  // namespace simnet
