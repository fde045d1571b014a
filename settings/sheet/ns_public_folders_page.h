#pragma once

#include "machine_location.h"
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

private:
    PublicFoldersForm form_;
    MachineLocation location_;
};
