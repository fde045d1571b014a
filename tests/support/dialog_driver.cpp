#include "support/dialog_driver.h"

#include <commctrl.h>

std::string WindowText(HWND window)
{
    char text[2048] = {};
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

namespace {

// A user's click arrives as posted input, which wakes a modal loop waiting in GetMessage; a
// message sent from another thread does not. Wine's property sheet looks at "ended" only when
// GetMessage returns, so a sheet closed by a sent click would stay open until the next posted
// message.
void WakeModalLoop(HWND dialog) { ::PostMessageA(dialog, WM_NULL, 0, 0); }

}  // namespace

void ClickItem(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    WakeModalLoop(dialog);
}

void PostClickItem(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void NotifyCommand(HWND dialog, int id, int code)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    WakeModalLoop(dialog);
}

void CancelDialog(HWND dialog)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    WakeModalLoop(dialog);
}

void PressSheetButton(HWND sheet, int button)
{
    ::SendMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    WakeModalLoop(sheet);
}

bool IsItemChecked(HWND dialog, int id)
{
    return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetItemChecked(HWND dialog, int id, bool checked)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsItemEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

bool IsItemVisible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

void TypeIntoItem(HWND dialog, int id, const std::string& text)
{
    // WM_SETTEXT on an edit control sends EN_CHANGE to its dialog, as typing does.
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ItemText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }
