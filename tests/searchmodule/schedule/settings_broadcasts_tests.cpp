#include "settings_broadcasts.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// The names are the ones the settings program registers: a wrong text id here would leave the
// module deaf to it.
TEST(SettingsBroadcastsTest, EachAnnouncementOfTheSettingsProgramIsRecognised)
{
    const SettingsBroadcasts broadcasts;
    const struct {
        const char* name;
        SettingsBroadcast meaning;
    } announcements[] = {
        {"_NETWORK_STORAGE_SHOW_SYSTEMTRAY_ICON_", SettingsBroadcast::ShowIcon},
        {"_NETWORK_STORAGE_HIDE_SYSTEMTRAY_ICON_", SettingsBroadcast::HideIcon},
        {"_NETWORK_STORAGE_REFRESH_TIMER_CHANGE_", SettingsBroadcast::RefreshTimer},
        {"_NETWORK_STORAGE_RESCAN_TIMER_CHANGE_", SettingsBroadcast::RescanTimer},
        {"_NETWORK_STORAGE_BACKGROUND_SEARCH_CHANGE_", SettingsBroadcast::BackgroundSearch},
        {"_NETWORK_STORAGE_UPDATE_PUBLIC_TIMER_CHANGE_", SettingsBroadcast::UpdatePublicTimer},
    };
    for (const auto& announcement : announcements) {
        SCOPED_TRACE(announcement.name);
        EXPECT_EQ(announcement.meaning, broadcasts.Classify(::RegisterWindowMessageA(announcement.name)));
    }
}

TEST(SettingsBroadcastsTest, OtherMessagesAreNotAnnouncements)
{
    const SettingsBroadcasts broadcasts;
    EXPECT_EQ(SettingsBroadcast::None, broadcasts.Classify(0));
    EXPECT_EQ(SettingsBroadcast::None, broadcasts.Classify(WM_TIMER));
    EXPECT_EQ(SettingsBroadcast::None, broadcasts.Classify(WM_APP + 1));
    EXPECT_EQ(SettingsBroadcast::None,
              broadcasts.Classify(::RegisterWindowMessageA("_NETWORK_STORAGE_CACHE_HAS_BEEN_REFRESHED_")));
}

} // namespace
