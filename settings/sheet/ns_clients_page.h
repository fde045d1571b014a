#pragma once

#include "machine_location.h"
#include "settings_page.h"

// "Client Setup": where the client setup files are, for the client installations and the setup
// script.
class NSClientsPage final : public SettingsPage {
public:
    explicit NSClientsPage(NSPropertySheet& sheet);

protected:
    void LoadSettings() override;
    bool SaveSettings() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    MachineLocation location_;
};
