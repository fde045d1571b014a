#include "item_images.h"

#include "namespace/namespace_functions.h"

#include <stdexcept>

namespace {

// The branding library's icons are numbered from 130 in the order of their icon indices.
constexpr int kFirstIconNumber = 130;
constexpr int kIconCount = 22;
constexpr int kSharedOverlayIcon = 146 - kFirstIconNumber;

HICON LoadBrandIcon(HINSTANCE branding, int number, int size)
{
    return static_cast<HICON>(::LoadImageA(branding, MAKEINTRESOURCEA(number), IMAGE_ICON, size, size, 0));
}

// The type images of one size, read once per process: loading the icons costs more than the
// rest of a view's start. Views take copies, to which launch-object icons are added.
class TypeImages {
public:
    TypeImages(HINSTANCE branding, int size) : list_(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kIconCount, 16))
    {
        if (!list_)
            return;
        // The system's own icon stands in for a missing one, so that every later image keeps its place.
        const HICON standIn = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
        for (int i = 0; i < kIconCount; ++i) {
            const ScopedIcon icon(LoadBrandIcon(branding, kFirstIconNumber + i, size));
            ::ImageList_AddIcon(list_.Get(), icon ? icon.Get() : standIn);
        }
    }
    HIMAGELIST Copy() const { return list_ ? ::ImageList_Duplicate(list_.Get()) : nullptr; }

private:
    ScopedImageList list_;
};

struct SharedTypeImages {
    TypeImages small;
    TypeImages large;
};

const SharedTypeImages& Shared(HINSTANCE branding)
{
    // The branding library stays loaded for the life of the process.
    static const SharedTypeImages images{TypeImages(branding, 16), TypeImages(branding, 32)};
    return images;
}

} // namespace

ItemImages::ItemImages(HINSTANCE branding)
    : small_(Shared(branding).small.Copy()), large_(Shared(branding).large.Copy())
{
    if (!small_ || !large_)
        throw std::runtime_error("no image lists for the view");
    ::ImageList_SetOverlayImage(small_.Get(), kSharedOverlayIcon, kSharedOverlay);
    ::ImageList_SetOverlayImage(large_.Get(), kSharedOverlayIcon, kSharedOverlay);
}

int ItemImages::ImageOf(ListItemType type) const { return NamespaceFunctions::GetIconIndex(type); }

int ItemImages::SetOwnImage(const std::string& owner, HICON small, HICON large)
{
    if (!small || !large)
        return -1;
    if (const auto held = ownImages_.find(owner); held != ownImages_.end())
        return Replace(held->second, small, large) ? held->second : -1;
    if (!freeImages_.empty()) {
        const int at = freeImages_.back();
        if (!Replace(at, small, large))
            return -1;   // it stays free
        freeImages_.pop_back();
        ownImages_.emplace(owner, at);
        return at;
    }
    const int added = ::ImageList_AddIcon(small_.Get(), small);
    if (added < 0)
        return -1;
    if (::ImageList_AddIcon(large_.Get(), large) != added) {
        ::ImageList_Remove(small_.Get(), added);
        return -1;
    }
    ownImages_.emplace(owner, added);
    return added;
}

bool ItemImages::Replace(int at, HICON small, HICON large)
{
    return ::ImageList_ReplaceIcon(small_.Get(), at, small) == at && ::ImageList_ReplaceIcon(large_.Get(), at, large) == at;
}

void ItemImages::ReleaseOwnImage(const std::string& owner)
{
    const auto held = ownImages_.find(owner);
    if (held == ownImages_.end())
        return;
    freeImages_.push_back(held->second);
    ownImages_.erase(held);
}

void ItemImages::KeepOwnImagesOf(const std::unordered_set<std::string>& listed)
{
    for (auto it = ownImages_.begin(); it != ownImages_.end();) {
        if (listed.count(it->first)) {
            ++it;
            continue;
        }
        freeImages_.push_back(it->second);
        it = ownImages_.erase(it);
    }
}
