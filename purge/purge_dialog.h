#pragma once

#include "folder_locations.h"
#include "found_data.h"
#include "registry_purge.h"
#include "ui/dialog.h"

#include <windows.h>

// The "HALVO Purge" dialog: searches for the suite's data, lists it, and removes what the
// user selects. Silent mode runs the same dialog hidden.
class PurgeDialog final : public Dialog {
public:
    explicit PurgeDialog(FolderLocations locations);

    // Shows the dialog and returns when the user closes it.
    void RunModal(HWND owner = nullptr);
    // Searches with the initial root keys and removes their registry data without asking;
    // files and folders stay. True when all of it was removed.
    bool RunSilent();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void OnStartSearch();
    void OnPurgeSystem();
    void Search();
    void ShowReport();
    void ShowSearching();
    RootSelection SelectedRoots() const;
    int ShowMessage(UINT textId, UINT style) const;

    FolderLocations locations_;
    FoundData found_;
};
