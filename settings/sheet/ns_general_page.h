#pragma once

#include "settings_page.h"
#include "ui/ui_handles.h"

// "General": the product, the search module's taskbar icon and the AutoMap replacement warning.
class NSGeneralPage final : public SettingsPage {
public:
    explicit NSGeneralPage(NSPropertySheet& sheet);

protected:
    void LoadSettings() override;
    bool SaveSettings() override;

private:
    ScopedIcon picture_;
    bool showIcon_ = true;
    bool automapWarning_ = true;
};
