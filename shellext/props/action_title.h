#pragma once

#include <windows.h>

// The editors' titles hold "%s" for the word "Add" or "Edit".
void ShowEditorTitle(HWND dialog, bool adding);
