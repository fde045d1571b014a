#pragma once

#include "tray_menu.h"
#include "ui/ui_handles.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

// The search module's taskbar icon: the product name as tooltip and the pop-up menu of
// TrayMenu. Removed from the taskbar when the object goes.
class TrayIcon {
public:
    static constexpr UINT kQuickSearch = TrayMenu::kQuickSearch;
    static constexpr UINT kFullSearch = TrayMenu::kFullSearch;
    static constexpr UINT kExit = TrayMenu::kExit;

    // The shell reports mouse events on the icon to owner with callbackMessage.
    TrayIcon(HWND owner, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds or removes the icon; false when the shell refused.
    bool Show(bool visible);
    bool IsShown() const { return shown_; }

    // The callback message: a right click or a double click opens the menu. Returns the chosen
    // command, 0 when none or for any other mouse event.
    UINT HandleCallback(WPARAM wParam, LPARAM lParam);

    // A restarted taskbar forgets its icons; true when message is its announcement, after
    // which a shown icon is added again.
    bool HandleTaskbarCreated(UINT message);

private:
    NOTIFYICONDATAA IconData() const;

    HWND owner_;
    UINT callbackMessage_;
    UINT taskbarCreated_;
    ScopedIcon brandIcon_;
    HICON icon_ = nullptr;
    std::string tooltip_;
    bool shown_ = false;
};
