#pragma once

#include "item/item.h"
#include "ui/ui_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

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
    // Gives an item (a launch object, known by its row identity) its own icons. They replace
    // the image the item had, else one that an item no longer listed left free, and only
    // otherwise are added, so that updates and refreshes do not make the lists grow. The image,
    // or none (-1) when the icons cannot be set.
    int SetOwnImage(const std::string& owner, HICON small, HICON large);
    // The items that are no longer listed leave their own images free for others.
    void ReleaseOwnImage(const std::string& owner);
    void KeepOwnImagesOf(const std::unordered_set<std::string>& listed);

private:
    bool Replace(int at, HICON small, HICON large);

    ScopedImageList small_;
    ScopedImageList large_;
    std::unordered_map<std::string, int> ownImages_;
    std::vector<int> freeImages_;
};
