#pragma once

#include <windows.h>

#include <array>

// The settings program's announcements that the module reacts to.
enum class SettingsBroadcast {
    None,
    ShowIcon,
    HideIcon,
    RefreshTimer,
    RescanTimer,
    BackgroundSearch,
    UpdatePublicTimer,
    LoggingSwitch,
};

// Tells which settings announcement a window message is. The message numbers are registered
// by name once, from Basalt's texts, as every program of the suite does.
class SettingsBroadcasts {
public:
    SettingsBroadcasts();
    SettingsBroadcast Classify(UINT message) const;

private:
    struct Registered {
        UINT message;
        SettingsBroadcast meaning;
    };
    std::array<Registered, 7> registered_{};
};
