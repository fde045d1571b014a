#pragma once

#include <windows.h>

// A hidden top-level window of the process that hosts the library: the settings program's
// logging announcement is broadcast to top-level windows, and on it the host reads the user's
// "Logging" switch again. The window belongs to the thread that creates it.
class LoggingSwitchWindow {
public:
    LoggingSwitchWindow() = default;
    ~LoggingSwitchWindow();
    LoggingSwitchWindow(const LoggingSwitchWindow&) = delete;
    LoggingSwitchWindow& operator=(const LoggingSwitchWindow&) = delete;

    // False when the window cannot be made (the switch is then read at start only).
    bool Create(HINSTANCE module);
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};
