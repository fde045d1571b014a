#pragma once

#include "purge_dialog.h"
#include "purge_report.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

// Runs the purge dialog as the program does (modal, on a thread of its own with COM) and
// drives it from the test's thread with the messages a user's clicks would send.
class DialogSession {
public:
    explicit DialogSession(FolderLocations locations);
    ~DialogSession(); // closes the dialog if it is still open

    HWND Window() const { return window_; }
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }

    // Clicks a push button; returns when the dialog has handled the click.
    void Click(int id) const;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked) const;
    bool IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }

    std::vector<ReportLine> ListRows() const;
    std::vector<std::string> ColumnTitles() const;

    // Waits for the dialog thread to end after Close.
    void WaitUntilClosed();

private:
    PurgeDialog dialog_;
    std::thread thread_;
    HWND window_ = nullptr;
};
