#pragma once

#include "check_list.h"
#include "network_choice.h"
#include "settings_page.h"

// "Disc Search": the networks to search, the domains of the Microsoft Windows Network
// (Properties...), and the automatic quick and full searches.
class NSDiscSearchPage final : public SettingsPage {
public:
    explicit NSDiscSearchPage(NSPropertySheet& sheet);

protected:
    void LoadSettings() override;
    bool SaveSettings() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    std::vector<OfferedNetwork> EditedNetworks() const;

    CheckList networkList_;
    std::vector<OfferedNetwork> networks_;
    DomainChoice domains_;
    DomainChoice editedDomains_;
};
