#pragma once

#include "basalt_api.h"

#include <windows.h>
#include <winnetwk.h>

#include <string>

// The networking calls of drive mapping and disc browsing, in one place so that tests can
// answer them with the exact Windows error codes of a network they script. Every member
// answers as the Windows call it stands for (0 or a Windows error code).
class BASALT_API NetworkApi {
public:
    NetworkApi() = default;
    virtual ~NetworkApi() = default;
    NetworkApi(const NetworkApi&) = delete;
    NetworkApi& operator=(const NetworkApi&) = delete;

    // WNetOpenEnumA, WNetEnumResourceA, WNetCloseEnum.
    virtual DWORD OpenEnum(DWORD scope, DWORD type, DWORD usage, NETRESOURCEA* container, HANDLE* enumeration) = 0;
    virtual DWORD EnumResource(HANDLE enumeration, DWORD* count, void* buffer, DWORD* bufferSize) = 0;
    virtual DWORD CloseEnum(HANDLE enumeration) = 0;
    // WNetGetNetworkInformationA.
    virtual DWORD GetNetworkInformation(const char* provider, NETINFOSTRUCT* information) = 0;
    // WNetGetConnectionA, WNetAddConnection2A, WNetCancelConnection2A.
    virtual DWORD GetConnection(const char* localName, char* remoteName, DWORD* length) = 0;
    virtual DWORD AddConnection2(NETRESOURCEA* resource, const char* password, const char* userName, DWORD flags) = 0;
    virtual DWORD CancelConnection2(const char* name, DWORD flags, BOOL force) = 0;
    // GetDriveTypeA.
    virtual UINT DriveType(const char* rootPath) = 0;
    // GetShortPathNameA: the length of the short form, 0 on failure.
    virtual DWORD ShortPathName(const char* path, char* buffer, DWORD size) = 0;
    // SHChangeNotify for a drive (SHCNE_DRIVEADD, SHCNE_DRIVEREMOVED) named by its path.
    virtual void NotifyShell(LONG event, UINT flags, const char* path) = 0;
    // Whether a directory can be listed: 0 when a search for "path\*.*" finds an entry, else
    // the error that search failed with.
    virtual DWORD ProbeDirectory(const std::string& path) = 0;
};

// The network in use: the real one unless a test installed its own.
BASALT_API NetworkApi& Network();

// Test seam: while set, Network() answers with this object (null restores the real network).
// The caller keeps it alive while it is installed. Returns the previous override.
BASALT_API NetworkApi* SetNetworkOverride(NetworkApi* network);
