#pragma once

#include "res/schedule_string_ids.h"
#include "ui/ui_handles.h"

#include <windows.h>

// The taskbar icon's pop-up menu. Its commands are the numbers of their texts.
class TrayMenu {
public:
    static constexpr UINT kQuickSearch = IDS_TRAY_QUICK_SEARCH;
    static constexpr UINT kFullSearch = IDS_TRAY_FULL_SEARCH;
    static constexpr UINT kExit = IDS_TRAY_EXIT;

    // Quick search (the default), Full search, a separator, Exit.
    TrayMenu();
    HMENU Handle() const { return menu_.Get(); }

    // Shows the menu at a screen point until the user picks or cancels; the chosen command, or
    // 0. The owner is brought forward so that a click elsewhere closes the menu.
    UINT Track(HWND owner, POINT at) const;

private:
    ScopedMenu menu_;
};
