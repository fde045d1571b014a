#pragma once

#include <windows.h>

// The about box: the program's version and the versions of the suite it handles.
void ShowAboutBox(HWND owner);
