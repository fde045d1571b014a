#pragma once

#include "ui/ui_handles.h"

#include <windows.h>
#include <commctrl.h>

// The folder icons of the branding library in two image lists, small (16 by 16) and large
// (32 by 32). Icons are asked for by their branding number, which is also the icon index that
// the folders give Explorer.
class FolderIconLists {
public:
    // The branding numbers, in the order of the lists.
    static constexpr int kIconNumbers[] = {132, 133, 134, 135, 136, 137, 147, 148, 149, 150};
    static constexpr int kIconCount = static_cast<int>(sizeof kIconNumbers / sizeof kIconNumbers[0]);

    FolderIconLists() = default;
    FolderIconLists(const FolderIconLists&) = delete;
    FolderIconLists& operator=(const FolderIconLists&) = delete;

    // Fills both lists from the branding library; false when a list cannot be made. An icon the
    // library lacks leaves its place blank, so that the other numbers keep their places.
    bool Build(HINSTANCE branding);

    HIMAGELIST Small() const { return small_.Get(); }
    HIMAGELIST Large() const { return large_.Get(); }

    // The place of a branding number in the lists; an unknown number gives the first place.
    static int PositionOf(int iconNumber);
    // A copy of the icon (the caller destroys it); null when the lists are not built.
    HICON GetIcon(int iconNumber, bool large) const;

private:
    ScopedImageList small_;
    ScopedImageList large_;
};
