#include "about_dialog.h"

#include "common/text/text_format.h"
#include "module_version.h"
#include "purge_text.h"
#include "res/clearbay_dialog_ids.h"
#include "res/clearbay_string_ids.h"

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        const std::string version = FormatText(PurgeText(IDS_ABOUT_VERSION), FileVersionOf(::GetModuleHandleA(nullptr)));
        ::SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

void ShowAboutBox(HWND owner)
{
    ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
