#pragma once

#include "check_list.h"
#include "machine_location.h"
#include "public_folder_choice.h"
#include "settings_page.h"

enum class PublicFoldersForm { Administrator, Client };

// "Public Folders": the location of public folder data and the automatic refresh of the public
// folders. The administrator's form refreshes all of them; a client user's form lists the
// folders the administrator made public, for the user to pick the ones to import.
class NSPublicFoldersPage final : public SettingsPage {
public:
    NSPublicFoldersPage(NSPropertySheet& sheet, PublicFoldersForm form);

protected:
    void LoadSettings() override;
    bool SaveSettings() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // The client's list from the index of the location now in the field; the user is told when
    // there is nothing to list.
    void ListFolders(bool tellProblem);
    bool ImportChosenFolders();

    PublicFoldersForm form_;
    MachineLocation location_;
    CheckList folderList_;
    PublicFolderChoice choice_;
    std::string listedLocation_;
    PublicFolderChoice::Listing listing_ = PublicFolderChoice::Listing::NoLocation;
};
