// Drive letters of the simulated network, made real by Wine's mount manager.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/scoped_handle.h"

namespace simnet {

struct DriveDefinition {
    UINT type = DRIVE_NO_ROOT_DIR;
    std::string mountPoint;  // relative to the prefix's dosdevices folder, e.g. "unc/SERVER/SHARE"
};

class MountManager {
public:
    MountManager();
    bool IsOpen() const noexcept { return device_.IsValid(); }
    DWORD OpenError() const noexcept { return openError_; }

    // Windows error codes; letter is 'A'..'Z' or 'a'..'z'.
    DWORD DefineRemoteDrive(wchar_t letter, const std::string& mountPoint);
    DWORD RemoveDrive(wchar_t letter);
    std::optional<DriveDefinition> QueryDrive(wchar_t letter);

private:
    ScopedFile device_;
    DWORD openError_ = ERROR_SUCCESS;
};

}  // namespace simnet
