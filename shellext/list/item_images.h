#pragma once

#include "item/item.h"
#include "ui/ui_handles.h"

#include <windows.h>
#include <commctrl.h>

// The images of the list's rows, small (16 by 16) and large (32 by 32): one per item type from
// the branding library, and the icons of launch objects as the icon worker delivers them.
class ItemImages {
public:
    // Builds both lists; an icon the library lacks leaves a blank image in its place.
    explicit ItemImages(HINSTANCE branding);
    ItemImages(const ItemImages&) = delete;
    ItemImages& operator=(const ItemImages&) = delete;

    HIMAGELIST Small() const { return small_.Get(); }
    HIMAGELIST Large() const { return large_.Get(); }

    // The overlay of folders shared with clients (an index for INDEXTOOVERLAYMASK).
    static constexpr int kSharedOverlay = 1;

    // The image of an item type; unknown types show the empty item's image.
    int ImageOf(ListItemType type) const;
    // Adds a launch object's own icons; the new image, or none (-1) when they cannot be added.
    int Add(HICON small, HICON large);

private:
    ScopedImageList small_;
    ScopedImageList large_;
};
