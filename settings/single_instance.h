#pragma once

#include "base/scoped_handle.h"

#include <windows.h>

#include <string>
#include <vector>

// The tasks of which only one copy may run on the machine.
enum class SingleInstanceTask { SettingsSheet, AboutBox, NetworkSetup, SelectPublicFolders };

// The system-wide mutex of a single-instance task, held until the program ends. A second start
// of the task brings the running copy's window to the front instead of opening another.
class SingleInstance {
public:
    SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy may run the task. False when another copy runs it: its window was
    // raised, or, when none could be found in time, the user was told.
    bool Acquire(SingleInstanceTask task);

    // How long a second start waits for the running copy's window: the first copy may still be
    // starting, or just have ended (then this copy takes the task over).
    void SetWaitForWindow(DWORD milliseconds) { waitForWindowMs_ = milliseconds; }

private:
    ScopedKernelHandle mutex_;
    DWORD waitForWindowMs_ = 10000;
};

// The titles by which the task's running window is found, in the order they are tried.
std::vector<std::string> RunningWindowTitles(SingleInstanceTask task);

// Restores a minimised window and brings it to the front with the focus.
void RaiseWindow(HWND window);
