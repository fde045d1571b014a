#pragma once

#include <windows.h>

// The menu of a drop made with the right button (the second pop-up of menu resource 147):
// "Copy Here", "Move Here" and "Create Shortcut Here", each offered when possible, the effect
// a plain drop would have as the default, and "Cancel". Shown at the point of the drop and
// owned by owner. The effect chosen; DROPEFFECT_NONE for Cancel, or when nothing is possible
// or there is no window to own the menu.
DWORD ChooseFromDragMenu(HWND owner, POINTL screen, DWORD possible, DWORD preferred);
