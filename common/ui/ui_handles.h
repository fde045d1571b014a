#pragma once

#include "base/scoped_handle.h"

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <ole2.h>

#include <utility>

// Owners of the handles that windows, menus and the clipboard hand out.

struct MenuHandleTraits {
    using Handle = HMENU;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyMenu(h); }
};

struct ImageListHandleTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::ImageList_Destroy(h); }
};

struct IconHandleTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};

struct BitmapHandleTraits {
    using Handle = HBITMAP;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

using ScopedMenu = ScopedHandle<MenuHandleTraits>;
using ScopedImageList = ScopedHandle<ImageListHandleTraits>;
using ScopedIcon = ScopedHandle<IconHandleTraits>;
using ScopedBitmap = ScopedHandle<BitmapHandleTraits>;

// A storage medium that a data object handed out: released exactly once, the way its
// provider asked (ReleaseStgMedium honours pUnkForRelease).
class ScopedStgMedium {
public:
    ScopedStgMedium() noexcept = default;
    ScopedStgMedium(ScopedStgMedium&& other) noexcept : medium_(std::exchange(other.medium_, STGMEDIUM{})) {}
    ScopedStgMedium& operator=(ScopedStgMedium&& other) noexcept
    {
        if (this != &other) {
            Reset();
            medium_ = std::exchange(other.medium_, STGMEDIUM{});
        }
        return *this;
    }
    ScopedStgMedium(const ScopedStgMedium&) = delete;
    ScopedStgMedium& operator=(const ScopedStgMedium&) = delete;
    ~ScopedStgMedium() { Reset(); }

    // For IDataObject::GetData: releases what is held and gives the empty medium to fill.
    STGMEDIUM* Receive() noexcept
    {
        Reset();
        return &medium_;
    }
    const STGMEDIUM& Get() const noexcept { return medium_; }
    bool IsEmpty() const noexcept { return medium_.tymed == TYMED_NULL; }
    void Reset() noexcept
    {
        if (medium_.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&medium_);
        medium_ = STGMEDIUM{};
    }

private:
    STGMEDIUM medium_{};
};
