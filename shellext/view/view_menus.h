#pragma once

#include "item/item.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

// The namespace's items in Explorer's menus and toolbar. Hosts without menus or a toolbar
// (Wine's Explorer, file dialogs) answer E_NOTIMPL, which is normal: the view then has none.
class ViewMenus {
public:
    ViewMenus() = default;
    ~ViewMenus();
    ViewMenus(const ViewMenus&) = delete;
    ViewMenus& operator=(const ViewMenus&) = delete;

    // Builds the shared menu with the browser and fills its sub-menus; listWindow gets the
    // commands. False when the host has no menus.
    bool Merge(IShellBrowser& browser, HWND listWindow, bool hasFocus, ItemCreators user, int viewMode);
    // Takes the menus out of the browser's window again.
    void Remove(IShellBrowser& browser);
    HMENU File() const { return file_; }
    HMENU Edit() const { return edit_; }
    HMENU View() const { return view_; }
    void CheckViewMode(int viewMode);

    // The toolbar's view-mode buttons and the help button; the current mode's button checked.
    static void AddToolbarButtons(IShellBrowser& browser, int viewMode);
    static void CheckToolbarButton(IShellBrowser& browser, int viewMode);
    // The tooltip of one of those buttons (the menu item's text without its "&"); empty for others.
    static std::string ToolbarTip(UINT command);

private:
    HMENU shared_ = nullptr;
    HMENU file_ = nullptr;
    HMENU edit_ = nullptr;
    HMENU view_ = nullptr;
};
