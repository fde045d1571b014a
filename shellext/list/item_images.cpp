#include "item_images.h"

#include "namespace/namespace_functions.h"

#include <stdexcept>

namespace {

// The branding library's icons are numbered from 130 in the order of their icon indices.
constexpr int kFirstIconNumber = 130;
constexpr int kIconCount = 22;

HICON LoadBrandIcon(HINSTANCE branding, int number, int size)
{
    return static_cast<HICON>(::LoadImageA(branding, MAKEINTRESOURCEA(number), IMAGE_ICON, size, size, 0));
}

} // namespace

ItemImages::ItemImages(HINSTANCE branding)
    : small_(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, kIconCount, 16)),
      large_(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, kIconCount, 16))
{
    if (!small_ || !large_)
        throw std::runtime_error("no image lists for the view");
    for (int i = 0; i < kIconCount; ++i) {
        const ScopedIcon small(LoadBrandIcon(branding, kFirstIconNumber + i, 16));
        const ScopedIcon large(LoadBrandIcon(branding, kFirstIconNumber + i, 32));
        // The system's own icon stands in, so that every later image keeps its place.
        const HICON standIn = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
        ::ImageList_AddIcon(small_.Get(), small ? small.Get() : standIn);
        ::ImageList_AddIcon(large_.Get(), large ? large.Get() : standIn);
    }
}

int ItemImages::ImageOf(ListItemType type) const { return NamespaceFunctions::GetIconIndex(type); }

int ItemImages::Add(HICON small, HICON large)
{
    if (!small || !large)
        return -1;
    const int at = ::ImageList_AddIcon(small_.Get(), small);
    if (at < 0)
        return -1;
    if (::ImageList_AddIcon(large_.Get(), large) != at) {
        ::ImageList_Remove(small_.Get(), at);
        return -1;
    }
    return at;
}
