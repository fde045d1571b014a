#include "simulated_network.h"

#include <gtest/gtest.h>

namespace {

constexpr char kParametersKey[] = "System\\CurrentControlSet\\Services\\SimNet\\Parameters";
constexpr char kDescriptionFileValue[] = "DescriptionFile";

std::string Text(const char* text) { return text ? text : ""; }

void WriteDescriptionFile(const std::string& path)
{
    LSTATUS status = RegSetKeyValueA(HKEY_LOCAL_MACHINE, kParametersKey, kDescriptionFileValue, REG_SZ,
                                     path.c_str(), static_cast<DWORD>(path.size() + 1));
    ASSERT_EQ(status, ERROR_SUCCESS);
}

}  // namespace

std::vector<ListedResource> ListChildren(const ListedResource* container)
{
    std::vector<ListedResource> children;
    NETRESOURCEA parent{};
    if (container) {
        parent.dwScope = RESOURCE_GLOBALNET;
        parent.dwType = container->type;
        parent.dwDisplayType = container->displayType;
        parent.dwUsage = container->usage;
        parent.lpRemoteName = const_cast<char*>(container->remoteName.c_str());
        parent.lpProvider = const_cast<char*>(container->provider.c_str());
    }
    HANDLE enumeration = nullptr;
    DWORD opened = WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, container ? &parent : nullptr, &enumeration);
    EXPECT_EQ(opened, static_cast<DWORD>(NO_ERROR)) << (container ? container->remoteName : "(top)");
    if (opened != NO_ERROR) return children;
    // Wine loops forever on small buffers; a few kilobytes hold many entries.
    std::vector<BYTE> buffer(16384);
    for (;;) {
        DWORD count = 0xFFFFFFFF;
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD result = WNetEnumResourceA(enumeration, &count, buffer.data(), &size);
        if (result == ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(result, static_cast<DWORD>(NO_ERROR));
        if (result != NO_ERROR) break;
        const auto* resources = reinterpret_cast<const NETRESOURCEA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            const NETRESOURCEA& r = resources[i];
            children.push_back({Text(r.lpRemoteName), Text(r.lpComment), Text(r.lpProvider), r.dwType,
                                r.dwDisplayType, r.dwUsage});
        }
    }
    WNetCloseEnum(enumeration);
    return children;
}

DWORD OpenEnumError(const std::string& remoteName, DWORD displayType)
{
    NETRESOURCEA parent{};
    parent.dwScope = RESOURCE_GLOBALNET;
    parent.dwDisplayType = displayType;
    parent.dwUsage = RESOURCEUSAGE_CONTAINER;
    parent.lpRemoteName = const_cast<char*>(remoteName.c_str());
    parent.lpProvider = const_cast<char*>("Microsoft Windows Network");
    HANDLE enumeration = nullptr;
    DWORD result = WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, &parent, &enumeration);
    if (result == NO_ERROR) WNetCloseEnum(enumeration);
    return result;
}

std::vector<std::string> RemoteNames(const std::vector<ListedResource>& resources)
{
    std::vector<std::string> names;
    for (const ListedResource& resource : resources) names.push_back(resource.remoteName);
    return names;
}

char FreeDriveLetter()
{
    DWORD used = GetLogicalDrives();
    for (char letter = 'P'; letter <= 'Y'; ++letter) {
        if (!(used & (1u << (letter - 'A')))) return letter;
    }
    return 0;
}

DWORD AddConnection(const std::string& localName, const std::string& remoteName)
{
    NETRESOURCEA resource{};
    resource.dwType = RESOURCETYPE_DISK;
    resource.lpLocalName = localName.empty() ? nullptr : const_cast<char*>(localName.c_str());
    resource.lpRemoteName = const_cast<char*>(remoteName.c_str());
    return WNetAddConnection2A(&resource, nullptr, nullptr, 0);
}

MappedDrive::MappedDrive(char letter, const std::string& remoteName)
    : letter_(letter), result_(AddConnection(LocalName(), remoteName))
{
}

MappedDrive::~MappedDrive()
{
    if (result_ == NO_ERROR) WNetCancelConnection2A(LocalName().c_str(), 0, TRUE);
}

DescriptionOverride::DescriptionOverride(const std::string& path)
{
    char previous[MAX_PATH * 2] = {};
    DWORD size = sizeof(previous);
    RegGetValueA(HKEY_LOCAL_MACHINE, kParametersKey, kDescriptionFileValue, RRF_RT_REG_SZ, nullptr, previous, &size);
    previous_ = previous;
    WriteDescriptionFile(path);
}

DescriptionOverride::~DescriptionOverride()
{
    WriteDescriptionFile(previous_);
}
