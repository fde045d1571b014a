#pragma once

#include "folder_locations.h"
#include "found_data.h"
#include "registry_purge.h"

#include <windows.h>

#include <atomic>

// The "HALVO Purge" dialog: searches for the suite's data, lists it, and removes what the
// user selects. Silent mode runs the same dialog hidden.
class PurgeDialog {
public:
    explicit PurgeDialog(FolderLocations locations);
    PurgeDialog(const PurgeDialog&) = delete;
    PurgeDialog& operator=(const PurgeDialog&) = delete;

    // Shows the dialog and returns when the user closes it.
    void RunModal(HWND owner = nullptr);
    // Searches with the initial root keys and removes their registry data without asking;
    // files and folders stay. True when all of it was removed.
    bool RunSilent();

    // The dialog window while it exists (for whoever drives it from another thread).
    HWND Window() const { return window_.load(); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnInitDialog();
    void OnStartSearch();
    void OnPurgeSystem();
    void Search();
    void ShowReport();
    void ShowSearching();
    RootSelection SelectedRoots() const;
    int ShowMessage(UINT textId, UINT style) const;
    HWND Item(int id) const { return ::GetDlgItem(Window(), id); }

    FolderLocations locations_;
    FoundData found_;
    std::atomic<HWND> window_{nullptr};
};
