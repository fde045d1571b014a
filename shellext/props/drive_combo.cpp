#include "drive_combo.h"

#include "mapping/map_functions.h"
#include "text/text_compare.h"

#include <vector>

bool FillDriveCombo(HWND combo, const std::string& storedLetter)
{
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> letters;
    const int firstFree = MapFunctions::GetDriveLetters(0, letters, {}, nullptr);
    const std::string stored = storedLetter.substr(0, 1);
    int shown = firstFree;
    bool found = false;
    for (size_t i = 0; i < letters.size(); ++i) {
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(letters[i].c_str()));
        if (!found && !stored.empty() && EqualsNoCase(letters[i], stored)) {
            shown = static_cast<int>(i);
            found = true;
        }
    }
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
    return stored.empty() || found;
}

std::string ShownDriveLetter(HWND combo)
{
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return {};
    char text[8] = {};
    if (::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= static_cast<LRESULT>(sizeof text))
        return {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}
