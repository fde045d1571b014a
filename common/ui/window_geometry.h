#pragma once

#include <windows.h>

// A child window's rectangle in its dialog's client coordinates, where it is placed.
inline RECT ChildRect(HWND dialog, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
