#include "folder_icon_lists.h"

#include "ui/ui_handles.h"

#include "support/branding_loaded.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderIconListsTest, HoldsTheTenFolderIconsInBothSizes)
{
    BrandingLoaded branding;
    ASSERT_TRUE(branding.IsLoaded());
    FolderIconLists lists;
    ASSERT_TRUE(lists.Build(g_hBrandingInstance));
    int width = 0, height = 0;
    EXPECT_EQ(10, ImageList_GetImageCount(lists.Small()));
    EXPECT_EQ(10, ImageList_GetImageCount(lists.Large()));
    ASSERT_TRUE(ImageList_GetIconSize(lists.Small(), &width, &height));
    EXPECT_EQ(16, width);
    ASSERT_TRUE(ImageList_GetIconSize(lists.Large(), &width, &height));
    EXPECT_EQ(32, width);

    ScopedIcon large(lists.GetIcon(149, true));
    ScopedIcon unknown(lists.GetIcon(4711, false));
    EXPECT_TRUE(large);
    EXPECT_TRUE(unknown);
}

TEST(FolderIconListsTest, NumbersMapToTheirPlacesAndUnknownOnesToTheFirst)
{
    EXPECT_EQ(0, FolderIconLists::PositionOf(132));
    EXPECT_EQ(5, FolderIconLists::PositionOf(137));
    EXPECT_EQ(6, FolderIconLists::PositionOf(147));
    EXPECT_EQ(9, FolderIconLists::PositionOf(150));
    EXPECT_EQ(0, FolderIconLists::PositionOf(138));
    EXPECT_EQ(0, FolderIconLists::PositionOf(-1));
}

TEST(FolderIconListsTest, MissingBrandingIconsKeepTheOtherPlaces)
{
    // A module without those icons: every place stays, blank.
    FolderIconLists lists;
    ASSERT_TRUE(lists.Build(::GetModuleHandleA(nullptr)));
    EXPECT_EQ(10, ImageList_GetImageCount(lists.Small()));
    EXPECT_EQ(10, ImageList_GetImageCount(lists.Large()));
}

} // namespace
