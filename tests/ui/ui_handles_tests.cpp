#include "ui/ui_handles.h"

#include <gtest/gtest.h>

namespace {

// The count a COM object has after one more reference (and that reference given back).
ULONG ReferencesOf(IUnknown* object)
{
    const ULONG count = object->AddRef();
    object->Release();
    return count - 1;
}

TEST(UiHandlesTest, AStorageMediumIsReleasedExactlyOnceWhereverItIsMoved)
{
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    stream->AddRef();   // the medium's reference; the first one stays the test's
    {
        ScopedStgMedium received;
        STGMEDIUM* medium = received.Receive();
        medium->tymed = TYMED_ISTREAM;
        medium->pstm = stream;
        ScopedStgMedium moved(std::move(received));
        EXPECT_TRUE(received.IsEmpty());
        ScopedStgMedium assigned;
        assigned = std::move(moved);
        EXPECT_EQ(2u, ReferencesOf(stream));
    }
    EXPECT_EQ(1u, ReferencesOf(stream));
    stream->Release();
}

TEST(UiHandlesTest, MenusAndImageListsAreDestroyedWithTheirOwner)
{
    HMENU raw = nullptr;
    {
        ScopedMenu menu(::CreatePopupMenu());
        raw = menu.Get();
        ASSERT_TRUE(::IsMenu(raw));
    }
    EXPECT_FALSE(::IsMenu(raw));

    HIMAGELIST list = nullptr;
    {
        ScopedImageList owner(::ImageList_Create(16, 16, ILC_COLOR32, 1, 0));
        list = owner.Get();
        ASSERT_EQ(0, ::ImageList_GetImageCount(list));
    }
    int width = 0;
    int height = 0;
    EXPECT_FALSE(::ImageList_GetIconSize(list, &width, &height)) << "the list is gone";
}

} // namespace
