// Where the provider finds its name and its network description.
#pragma once

#include <memory>
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

// The description named in the registry. It is read once, and again only when the registry
// names another file or the file's size or time of last write changes, so that a test or the
// demo can still change the network while programs run. Null when the file is missing or
// unreadable.
std::shared_ptr<const NetworkDescription> CurrentNetworkDescription();

}  // namespace simnet
