#include "mount_manager.h"

#include <winioctl.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace simnet {
namespace {

// Wine's own extension of the mount manager: the control codes and the request layout are fixed
// by Wine (its include/ddk/mountmgr.h, Wine 6 and later).
constexpr DWORD kMountManagerType = 'm';
constexpr DWORD kDefineUnixDrive = CTL_CODE(kMountManagerType, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr DWORD kQueryUnixDrive = CTL_CODE(kMountManagerType, 33, METHOD_BUFFERED, FILE_READ_ACCESS);

struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;  // narrow Unix path, from the start of the request; 0: none
    USHORT deviceOffset;
    USHORT labelOffset;
};
static_assert(sizeof(UnixDriveRequest) == 32, "layout shared with Wine's mount manager");

wchar_t LowerLetter(wchar_t letter) noexcept
{
    return (letter >= L'A' && letter <= L'Z') ? static_cast<wchar_t>(letter - L'A' + L'a') : letter;
}

}  // namespace

MountManager::MountManager()
    : device_(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr))
{
    if (!device_.IsValid()) openError_ = GetLastError();
}

DWORD MountManager::DefineRemoteDrive(wchar_t letter, const std::string& mountPoint)
{
    if (!IsOpen()) return openError_;
    std::vector<BYTE> buffer(sizeof(UnixDriveRequest) + mountPoint.size() + 1, 0);
    if (buffer.size() > 0xffff) return ERROR_FILENAME_EXCED_RANGE;
    UnixDriveRequest request{};
    request.size = static_cast<ULONG>(buffer.size());
    request.type = DRIVE_REMOTE;
    request.letter = LowerLetter(letter);
    request.mountPointOffset = sizeof(UnixDriveRequest);
    std::memcpy(buffer.data(), &request, sizeof(request));
    std::memcpy(buffer.data() + sizeof(request), mountPoint.c_str(), mountPoint.size() + 1);
    DWORD returned = 0;
    if (!DeviceIoControl(device_.Get(), kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                         nullptr, 0, &returned, nullptr))
        return GetLastError();
    return ERROR_SUCCESS;
}

DWORD MountManager::RemoveDrive(wchar_t letter)
{
    if (!IsOpen()) return openError_;
    UnixDriveRequest request{};
    request.size = sizeof(request);
    request.type = DRIVE_NO_ROOT_DIR;
    request.letter = LowerLetter(letter);  // no mount point: the letter goes away
    DWORD returned = 0;
    if (!DeviceIoControl(device_.Get(), kDefineUnixDrive, &request, sizeof(request), nullptr, 0, &returned, nullptr))
        return GetLastError();
    return ERROR_SUCCESS;
}

std::optional<DriveDefinition> MountManager::QueryDrive(wchar_t letter)
{
    if (!IsOpen()) return std::nullopt;
    alignas(UnixDriveRequest) BYTE buffer[4096] = {};
    UnixDriveRequest request{};
    request.size = sizeof(request);
    request.letter = LowerLetter(letter);
    std::memcpy(buffer, &request, sizeof(request));
    DWORD returned = 0;
    if (!DeviceIoControl(device_.Get(), kQueryUnixDrive, buffer, sizeof(request), buffer, sizeof(buffer) - 1,
                         &returned, nullptr))
        return std::nullopt;
    std::memcpy(&request, buffer, sizeof(request));
    DriveDefinition drive;
    drive.type = request.type;
    if (request.mountPointOffset >= sizeof(request) && request.mountPointOffset < returned)
        drive.mountPoint.assign(reinterpret_cast<const char*>(buffer) + request.mountPointOffset,
                                strnlen(reinterpret_cast<const char*>(buffer) + request.mountPointOffset,
                                        returned - request.mountPointOffset));
    return drive;
}

}  // namespace simnet
