#include "ns_general_page.h"

#include "help_topics.h"
#include "res/dialwise_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "setting_values.h"
#include "settings_broadcast.h"

namespace {

constexpr char kGeneralLoadCaller[] = "NSGeneralPage::OnInitDialog";

bool IsChecked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED; }

} // namespace

NSGeneralPage::NSGeneralPage(NSPropertySheet& sheet)
    : SettingsPage(IDD_GENERAL_PAGE, sheet, "NSGeneralPage", kHelpTopicGeneralPage)
{
}

void NSGeneralPage::LoadSettings()
{
    HWND page = Window();
    HICON icon = nullptr;
    if (ExternalResMgr::GetIconHandle(g_hBrandingInstance, IDI_BRAND_PRODUCT, true, icon)) {
        picture_.Reset(icon);
        ::SendDlgItemMessageA(page, IDC_GENERAL_PICTURE, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    ::SetDlgItemTextA(page, IDC_GENERAL_PRODUCT, BrandingText(IDS_BRAND_PRODUCT_FULL_NAME).c_str());
    ::SetDlgItemTextA(page, IDC_GENERAL_COPYRIGHT, BrandingText(IDS_BRAND_COPYRIGHT).c_str());

    // Both are on until the user switches them off, as the programs that read them take it.
    showIcon_ = ReadSettingDword(SettingsHive::User, IDS_SHOW_ICON_VALUE, 1, kGeneralLoadCaller) != 0;
    automapWarning_ = ReadSettingDword(SettingsHive::User, IDS_AUTOMAP_WARNING_VALUE, 1, kGeneralLoadCaller) != 0;
    ::CheckDlgButton(page, IDC_GENERAL_SHOW_ICON, showIcon_ ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(page, IDC_GENERAL_AUTOMAP_WARNING, automapWarning_ ? BST_CHECKED : BST_UNCHECKED);
}

bool NSGeneralPage::SaveSettings()
{
    const bool showIcon = IsChecked(Window(), IDC_GENERAL_SHOW_ICON);
    WriteSettingDword(SettingsHive::User, IDS_SHOW_ICON_VALUE, showIcon ? 1 : 0, SaveCaller());
    if (showIcon != showIcon_) {
        BroadcastSetting(showIcon ? IDS_MSG_SHOW_TRAY_ICON : IDS_MSG_HIDE_TRAY_ICON);
        showIcon_ = showIcon;
    }
    const bool automapWarning = IsChecked(Window(), IDC_GENERAL_AUTOMAP_WARNING);
    if (automapWarning != automapWarning_) {
        WriteSettingDword(SettingsHive::User, IDS_AUTOMAP_WARNING_VALUE, automapWarning ? 1 : 0, SaveCaller());
        automapWarning_ = automapWarning;
    }
    return true;
}
