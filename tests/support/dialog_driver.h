#pragma once

#include <windows.h>

#include <string>

// Drives a dialog of another thread the way a user's clicks and typing would, and reads it back.

// Presses a push button, check box or radio button; returns when the dialog has handled it.
void ClickItem(HWND dialog, int id);
// Presses a button without waiting: for a click whose handler opens a modal dialog, which would
// hold a sent click until it closed.
void PostClickItem(HWND dialog, int id);
bool IsItemChecked(HWND dialog, int id);
void SetItemChecked(HWND dialog, int id, bool checked);
bool IsItemEnabled(HWND dialog, int id);
bool IsItemVisible(HWND dialog, int id);
// A control's notification to its dialog (WM_COMMAND with the code), for those that sending
// messages to the control does not raise, such as a list box's double click.
void NotifyCommand(HWND dialog, int id, int code);
// What Escape or the close box does: the dialog's Cancel command.
void CancelDialog(HWND dialog);
// A property sheet's or wizard's button (PSBTN_NEXT, PSBTN_FINISH, ...), as its click would.
void PressSheetButton(HWND sheet, int button);
// Types a text into an edit control (the dialog is told of the change, EN_CHANGE).
void TypeIntoItem(HWND dialog, int id, const std::string& text);
std::string ItemText(HWND dialog, int id);
// The text of a window, read from any thread or process.
std::string WindowText(HWND window);
