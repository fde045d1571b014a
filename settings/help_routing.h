#pragma once

#include <windows.h>

#include <functional>

// F1 in any window of the settings program asks the program for help; what opens depends on
// the task it runs (the settings sheet's current page, the Map Disc dialog's own topic, ...).
// The program installs that choice; without it the help's contents open.
void SetProgramHelp(std::function<void()> help);
void ShowProgramHelp();
// For the program's dialog procedures: F1 (WM_HELP) asks for the program's help. True, with
// the dialog procedure's result set, when the message was that.
bool HandleHelpMessage(UINT message, INT_PTR& result);

// Opens the suite's help file at a topic, -1 for its contents.
void LaunchHelpTopic(int topic);

// Test seam: while set, topics go here instead of to the help file (an empty one restores it).
void SetHelpTopicLauncher(std::function<void(int topic)> launcher);
