#include "tray_menu.h"

#include "resources/texts.h"

// The menu texts live in the string table of the program that shows them.

TrayMenu::TrayMenu() : menu_(::CreatePopupMenu())
{
    if (!menu_)
        return;
    for (UINT command : {kQuickSearch, kFullSearch})
        ::AppendMenuA(menu_.Get(), MF_STRING, command, ProgramText(command).c_str());
    ::AppendMenuA(menu_.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu_.Get(), MF_STRING, kExit, ProgramText(kExit).c_str());
    ::SetMenuDefaultItem(menu_.Get(), kQuickSearch, FALSE);
}

UINT TrayMenu::Track(HWND owner, POINT at) const
{
    if (!menu_)
        return 0;
    ::SetForegroundWindow(owner);
    const BOOL chosen = ::TrackPopupMenu(menu_.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                         owner, nullptr);
    // Without a message after the menu, the next click on the icon would not open it again.
    ::PostMessageA(owner, WM_NULL, 0, 0);
    return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}
