#include "settings_broadcasts.h"

#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/texts.h"

namespace {

struct NamedBroadcast {
    UINT nameId;
    SettingsBroadcast meaning;
};

constexpr NamedBroadcast kNamedBroadcasts[] = {
    {IDS_MSG_SHOW_TRAY_ICON, SettingsBroadcast::ShowIcon},
    {IDS_MSG_HIDE_TRAY_ICON, SettingsBroadcast::HideIcon},
    {IDS_MSG_REFRESH_TIMER_CHANGE, SettingsBroadcast::RefreshTimer},
    {IDS_MSG_RESCAN_TIMER_CHANGE, SettingsBroadcast::RescanTimer},
    {IDS_MSG_BACKGROUND_SEARCH_CHANGE, SettingsBroadcast::BackgroundSearch},
    {IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE, SettingsBroadcast::UpdatePublicTimer},
    {IDS_MSG_START_STOP_LOG, SettingsBroadcast::LoggingSwitch},
};

} // namespace

SettingsBroadcasts::SettingsBroadcasts()
{
    static_assert(std::size(kNamedBroadcasts) == std::tuple_size_v<decltype(registered_)>);
    for (size_t i = 0; i < registered_.size(); ++i) {
        const std::string name = CommonText(kNamedBroadcasts[i].nameId);
        // An empty name would register nothing useful; 0 never matches a message.
        const UINT message = name.empty() ? 0 : ::RegisterWindowMessageA(name.c_str());
        if (message == 0)
            LogFormatted("SettingsBroadcasts::SettingsBroadcasts() - could not register message %u\n",
                         kNamedBroadcasts[i].nameId);
        registered_[i] = {message, kNamedBroadcasts[i].meaning};
    }
}

SettingsBroadcast SettingsBroadcasts::Classify(UINT message) const
{
    if (message == 0)
        return SettingsBroadcast::None;
    for (const Registered& entry : registered_)
        if (entry.message == message)
            return entry.meaning;
    return SettingsBroadcast::None;
}
