#include "browse/browse_tree_ctrl.h"

#include "resources/branding_ids.h"
#include "resources/resources.h"

#include <iterator>
#include <vector>

namespace {

// The branding icon of each item type, in type order (0 to 12).
constexpr UINT kIconOfType[] = {
    IDI_BRAND_SYSTEM_FOLDER, IDI_BRAND_USER_FOLDER, IDI_BRAND_CDROM_DISC,    IDI_BRAND_JAZ_DISC,
    IDI_BRAND_ROOT_FOLDER,   IDI_BRAND_AUTOMAP_FOLDER, IDI_BRAND_FREE_DRIVE, IDI_BRAND_EMPTY_ITEM,
    IDI_BRAND_LINK_OVERLAY,  IDI_BRAND_LAUNCH_OBJECT, IDI_BRAND_SHARED_OVERLAY, IDI_BRAND_PUBLIC_FOLDER,
    IDI_BRAND_PUBLIC_AUTOMAP,
};
constexpr int kLinkOverlayImage = 8;
constexpr int kSharedOverlayImage = 10;

// A fully transparent image, so that the images after a missing icon keep their indices.
bool AddBlankImage(HIMAGELIST images)
{
    int width = 0;
    int height = 0;
    if (!::ImageList_GetIconSize(images, &width, &height))
        return false;
    const std::vector<BYTE> colourBits(static_cast<size_t>(width) * height * 4, 0);
    const std::vector<BYTE> maskBits(static_cast<size_t>((width + 15) / 16 * 2) * height, 0xFF);
    const ScopedBitmap colour(::CreateBitmap(width, height, 1, 32, colourBits.data()));
    const ScopedBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
    return colour && mask && ::ImageList_Add(images, colour.Get(), mask.Get()) >= 0;
}

} // namespace

bool BrowseTreeCtrl::InitImageList(int largeIcons, HIMAGELIST images)
{
    if (!images)
        return false;
    bool complete = true;
    for (UINT iconId : kIconOfType) {
        HICON loaded = nullptr;
        const ScopedIcon icon(ExternalResMgr::GetIconHandle(g_hBrandingInstance, iconId, largeIcons != 0, loaded)
                                  ? loaded
                                  : nullptr);
        if (icon && ::ImageList_AddIcon(images, icon.Get()) >= 0)
            continue;
        complete = false;
        if (!AddBlankImage(images))
            return false;
    }
    ::ImageList_SetOverlayImage(images, kLinkOverlayImage, 1);
    ::ImageList_SetOverlayImage(images, kSharedOverlayImage, 2);
    return complete;
}
