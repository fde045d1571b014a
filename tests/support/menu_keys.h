#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Keys typed into the next pop-up menu that opens on this thread, from a timer that the menu's
// own loop dispatches. Whether the timer fired tells whether a menu was open at all; the
// menu's entries as they were shown are kept for the test to read.
class MenuKeys {
public:
    struct Entry {
        UINT id = 0;
        std::string text;
        bool grayed = false;
        bool isDefault = false;
    };

    explicit MenuKeys(std::vector<WORD> keys)
    {
        keys_ = std::move(keys);
        fired_ = false;
        shown_.clear();
        timer_ = ::SetTimer(nullptr, 0, 200, &MenuKeys::Type);
    }
    ~MenuKeys()
    {
        ::KillTimer(nullptr, timer_);
        ::KillTimer(nullptr, safety_);
        // Drops a timer message that arrived after the call.
        MSG message;
        while (::PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        }
    }
    MenuKeys(const MenuKeys&) = delete;
    MenuKeys& operator=(const MenuKeys&) = delete;

    static bool Fired() { return fired_; }
    // The entries of the menu that was open when the keys were typed (separators left out).
    static const std::vector<Entry>& Shown() { return shown_; }

private:
    static void CALLBACK Type(HWND, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(nullptr, timer);
        fired_ = true;
        ReadOpenMenu();
        HWND focus = ::GetFocus() ? ::GetFocus() : ::GetActiveWindow();
        for (WORD key : keys_) {
            ::PostMessageA(focus, WM_KEYDOWN, key, 1);
            ::PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        }
        if (keys_.empty())
            ::EndMenu();
        else   // keys that went astray fail the test instead of leaving the menu open
            safety_ = ::SetTimer(nullptr, 0, 5000, &MenuKeys::Cancel);
    }
    static void CALLBACK Cancel(HWND, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(nullptr, timer);
        ::EndMenu();
    }

    static BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found)
    {
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (::lstrcmpA(name, "#32768") != 0 || !::IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    static void ReadOpenMenu()
    {
        HWND window = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &MenuKeys::FindMenuWindow, reinterpret_cast<LPARAM>(&window));
        const HMENU menu = window ? reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0)) : nullptr;
        if (!menu)
            return;
        const UINT defaultId = ::GetMenuDefaultItem(menu, FALSE, 0);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = sizeof text;
            if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR))
                continue;
            shown_.push_back({info.wID, text, (info.fState & MFS_GRAYED) != 0, info.wID == defaultId});
        }
    }

    static inline std::vector<WORD> keys_;
    static inline bool fired_ = false;
    static inline std::vector<Entry> shown_;
    static inline UINT_PTR safety_ = 0;
    UINT_PTR timer_ = 0;
};
