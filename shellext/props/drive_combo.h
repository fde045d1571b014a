#pragma once

#include <windows.h>

#include <string>

// A drive combo of the mapping pages: the free, connected and remembered letters, bare. It
// shows the stored letter, else the first free one; FillDriveCombo answers false when a stored
// letter is no longer offered (it has become a local drive), so that the page can say so
// rather than replace it without a word.
bool FillDriveCombo(HWND combo, const std::string& storedLetter);
// The letter shown, empty when none is.
std::string ShownDriveLetter(HWND combo);
