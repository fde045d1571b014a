#include "network/network_api.h"

#include <shlobj.h>

#include <atomic>

namespace {

// The operating system's own network: mpr.dll and kernel32.
class SystemNetwork final : public NetworkApi {
public:
    DWORD OpenEnum(DWORD scope, DWORD type, DWORD usage, NETRESOURCEA* container, HANDLE* enumeration) override
    {
        return ::WNetOpenEnumA(scope, type, usage, container, enumeration);
    }
    DWORD EnumResource(HANDLE enumeration, DWORD* count, void* buffer, DWORD* bufferSize) override
    {
        return ::WNetEnumResourceA(enumeration, count, buffer, bufferSize);
    }
    DWORD CloseEnum(HANDLE enumeration) override { return ::WNetCloseEnum(enumeration); }
    DWORD GetNetworkInformation(const char* provider, NETINFOSTRUCT* information) override
    {
        return ::WNetGetNetworkInformationA(provider, information);
    }
    DWORD GetConnection(const char* localName, char* remoteName, DWORD* length) override
    {
        const DWORD result = ::WNetGetConnectionA(localName, remoteName, length);
        // Wine answers a free letter with ERROR_BAD_DEVICE where Windows says ERROR_NOT_CONNECTED;
        // a letter with no drive behind it is free on both.
        if (result == ERROR_BAD_DEVICE && IsDriveLetterName(localName) && IsFreeRoot(localName))
            return ERROR_NOT_CONNECTED;
        return result;
    }
    DWORD AddConnection2(NETRESOURCEA* resource, const char* password, const char* userName, DWORD flags) override
    {
        return ::WNetAddConnection2A(resource, password, userName, flags);
    }
    DWORD CancelConnection2(const char* name, DWORD flags, BOOL force) override
    {
        return ::WNetCancelConnection2A(name, flags, force);
    }
    UINT DriveType(const char* rootPath) override { return ::GetDriveTypeA(rootPath); }
    DWORD ShortPathName(const char* path, char* buffer, DWORD size) override
    {
        return ::GetShortPathNameA(path, buffer, size);
    }
    void NotifyShell(LONG event, UINT flags, const char* path) override
    {
        ::SHChangeNotify(event, flags, path, nullptr);
    }
    DWORD ProbeDirectory(const std::string& path) override
    {
        WIN32_FIND_DATAA found{};
        const HANDLE search = ::FindFirstFileA((path + "\\*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return ::GetLastError();
        ::FindClose(search);
        return NO_ERROR;
    }

private:
    static bool IsDriveLetterName(const char* name)
    {
        if (!name || name[0] == '\0' || name[1] != ':' || name[2] != '\0')
            return false;
        const char letter = static_cast<char>(name[0] & ~0x20);
        return letter >= 'C' && letter <= 'Z';
    }
    static bool IsFreeRoot(const char* localName)
    {
        const char root[] = {localName[0], ':', '\\', '\0'};
        return ::GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR;
    }
};

std::atomic<NetworkApi*> g_override{nullptr};

} // namespace

NetworkApi& Network()
{
    static SystemNetwork system;
    NetworkApi* installed = g_override.load();
    return installed ? *installed : system;
}

NetworkApi* SetNetworkOverride(NetworkApi* network) { return g_override.exchange(network); }
