#include "support/map_disc_driver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

HWND MapDiscDriveList(HWND dialog) { return ::FindWindowExA(dialog, nullptr, WC_COMBOBOXEXA, nullptr); }

void ChooseMapDiscLetter(HWND dialog, char letter)
{
    HWND list = MapDiscDriveList(dialog);
    const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_LPARAM;
        item.iItem = index;
        ::SendMessageA(list, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        if (item.lParam == letter) {
            ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            return;
        }
    }
    ADD_FAILURE() << letter << ": is not listed";
}
