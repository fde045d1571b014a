#pragma once

#include "support/dialog_driver.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// Watches a process for message boxes and the shell's confirmation dialogs, records what each
// said and presses Yes (or OK where there is no Yes). Windows it is told to ignore, such as
// the dialog under test, are left alone.
class BoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text; // the static texts of the box, one per line
    };

    explicit BoxAnswerer(DWORD processId = ::GetCurrentProcessId());
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    void Ignore(HWND window);
    std::vector<Box> Boxes() const;
    // Waits until at least count boxes have been answered; false on timeout.
    bool WaitForBoxes(size_t count, DWORD timeoutMs = 10000) const;

private:
    static BOOL CALLBACK VisitWindow(HWND window, LPARAM self);
    void Visit(HWND window);
    void Watch();

    const DWORD processId_;
    mutable std::mutex lock_;
    std::set<HWND> handled_;
    std::vector<Box> boxes_;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};
