#include "show_icon_setting.h"

#include "res/string_ids.h"
#include "user_settings.h"

bool ShowIconSetting()
{
    constexpr char kCaller[] = "ShowIconSetting()";
    const auto key = OpenUserSettings(kCaller);
    return !key || ReadSettingDWORD(*key, IDS_SHOW_ICON_VALUE, kCaller).value_or(1) != 0;
}
