#pragma once

#include <windows.h>

// Drives the Map Disc dialog of another thread.

// Its drive list (an extended combo box made at run time).
HWND MapDiscDriveList(HWND dialog);
// Selects a letter of the drive list, as a click would; a test failure when it is not listed.
void ChooseMapDiscLetter(HWND dialog, char letter);
