#pragma once

#include "view_list_ctrl.h"

#include <windows.h>

#include <functional>
#include <memory>

// The child window that the view places in Explorer's right pane. It owns the list control,
// keeps it the size of the pane, and passes the list's notifications and commands on.
class ShellViewWnd {
public:
    struct Callbacks {
        // The list got (true) or lost (false) the keyboard focus.
        std::function<void(bool)> focusChanged;
    };

    // Throws when a window cannot be made.
    ShellViewWnd(HWND parent, const RECT& rect, int viewMode, ShellViewListCtrl::Context context, HINSTANCE branding,
                 Callbacks callbacks);
    ~ShellViewWnd();
    ShellViewWnd(const ShellViewWnd&) = delete;
    ShellViewWnd& operator=(const ShellViewWnd&) = delete;

    HWND GetSafeHwnd() const { return window_; }
    ShellViewListCtrl& List() { return *list_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::unique_ptr<ShellViewListCtrl> list_;
    Callbacks callbacks_;
};
