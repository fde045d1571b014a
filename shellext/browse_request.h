#pragma once

#include "pidl/pidl_mgr.h"

#include <windows.h>
#include <shlobj.h>

// The shell browser of the Explorer window that a window belongs to: asked (message 0x407) of
// that top-level window only, and only when it is one of this process, whose answer is a
// pointer here. Null when it does not answer. No reference is added.
IShellBrowser* ShellBrowserOf(HWND window);

// Browses the Explorer window that owner belongs to (the active window when owner is null) to
// an absolute identifier list, once the message being handled is done: browsing destroys the
// view, which must not happen inside its own notification. False when it cannot be posted.
bool RequestBrowse(HWND owner, ScopedPidl target, UINT flags = SBSP_SAMEBROWSER | SBSP_ABSOLUTE);

// The same with the view's own browser, which is kept referenced until the browse has run.
bool RequestBrowse(IShellBrowser* browser, ScopedPidl target, UINT flags);
