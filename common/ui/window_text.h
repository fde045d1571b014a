#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

// The whole text of a window or control, however long.
inline std::string WindowString(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(::GetWindowTextA(window, text.data(), length + 1), 0)));
    return text;
}
