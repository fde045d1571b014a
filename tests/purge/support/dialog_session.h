#pragma once

#include "purge_dialog.h"
#include "purge_report.h"

#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// Runs the purge dialog as the program does (modal, on a thread of its own with COM) and
// drives it from the test's thread with the messages a user's clicks would send.
class DialogSession {
public:
    explicit DialogSession(FolderLocations locations);

    HWND Window() const { return window_; }
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }

    // Clicks a push button; returns when the dialog has handled the click.
    void Click(int id) const { ClickItem(window_, id); }
    bool IsChecked(int id) const { return IsItemChecked(window_, id); }
    void SetChecked(int id, bool checked) const { SetItemChecked(window_, id, checked); }
    bool IsEnabled(int id) const { return IsItemEnabled(window_, id); }

    std::vector<ReportLine> ListRows() const;
    std::vector<std::string> ColumnTitles() const;

    // Waits for the dialog thread to end after Close.
    void WaitUntilClosed();

private:
    PurgeDialog dialog_;
    std::unique_ptr<ModalDialogRun> run_;
    HWND window_ = nullptr;
};
