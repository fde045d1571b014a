#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

// Shows a modal dialog (a message box, a dialog, a property sheet) on a thread of its own, as
// a program's thread would, and hands its window to the test, which drives it from the test's
// thread with the messages a user's clicks would send (support/dialog_driver.h).
class ModalDialogRun {
public:
    // show runs on the dialog's thread (a COM apartment) and returns the dialog's result. The
    // constructor returns once a dialog window of that thread is visible; it throws when none
    // appears within timeoutMs.
    explicit ModalDialogRun(std::function<INT_PTR()> show, DWORD timeoutMs = 10000);
    // Cancels a dialog still open, then waits for the thread.
    ~ModalDialogRun();
    ModalDialogRun(const ModalDialogRun&) = delete;
    ModalDialogRun& operator=(const ModalDialogRun&) = delete;

    // The visible dialog of the thread (a later one, such as a box the dialog opened, once the
    // first is gone); null when none is there.
    HWND Window() const;
    // Waits for show to return; its result. False when it did not return in time.
    bool WaitForEnd(INT_PTR& result, DWORD timeoutMs = 10000);
    bool HasEnded() const { return ended_.load(); }

private:
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ended_{false};
    INT_PTR result_ = 0;
};

// The thread's visible dialog windows ("#32770"), topmost first.
HWND VisibleDialogOfThread(DWORD threadId);
// Waits for a visible window of the thread that holds the control itemId (a dialog the one
// under test opened) other than `other`; null when none appears within timeoutMs.
HWND WaitForDialogWithItem(DWORD threadId, int itemId, HWND other = nullptr, DWORD timeoutMs = 10000);
