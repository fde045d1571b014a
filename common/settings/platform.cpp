#include "settings/platform.h"

#include <windows.h>

bool IsNtPlatform() noexcept
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info))
        return true;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
