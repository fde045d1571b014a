#pragma once

#include "basalt_api.h"
#include "browse/browse_for_media_dialog.h"

#include <windows.h>

#include <string>

// Tells the user, in an error box, why the disc at networkPath cannot be had: access denied
// (or a wrong password), the path not found, or the Windows error of any other failure.
// Nothing is shown for a reachable disc.
BASALT_API void ShowMediaStateError(HWND owner, MediaStateType state, const std::string& networkPath, DWORD error);
