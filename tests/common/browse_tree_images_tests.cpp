#include "browse/browse_tree_ctrl.h"
#include "item/item.h"
#include "resources/resources.h"

#include "support/branding_loaded.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Whether an image draws nothing over a white background.
bool IsBlank(HIMAGELIST images, int index)
{
    int width = 0;
    int height = 0;
    ::ImageList_GetIconSize(images, &width, &height);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const ScopedBitmap canvas(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(dc, canvas.Get());
    ::PatBlt(dc, 0, 0, width, height, WHITENESS);
    ::ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    bool blank = true;
    for (int i = 0; i < width * height && blank; ++i)
        blank = (pixels[i] & 0xFFFFFF) == 0xFFFFFF;
    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    return blank;
}

// Makes a module the branding library for the scope.
class BrandingModule {
public:
    explicit BrandingModule(HINSTANCE module) : previous_(g_hBrandingInstance) { g_hBrandingInstance = module; }
    ~BrandingModule() { g_hBrandingInstance = previous_; }
    BrandingModule(const BrandingModule&) = delete;
    BrandingModule& operator=(const BrandingModule&) = delete;

private:
    HINSTANCE previous_;
};

constexpr int kTypeImages = 13;

} // namespace

TEST(ItemTypeImagesTest, EachTypeKeepsItsIndexWhenOtherIconsAreMissing)
{
    const ScopedImageList images(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, kTypeImages, 0));
    {
        const BrandingModule onlyJazIcon(::GetModuleHandleA(nullptr));
        EXPECT_FALSE(BrowseTreeCtrl::InitImageList(0, images.Get()));
    }
    ASSERT_EQ(kTypeImages, ::ImageList_GetImageCount(images.Get()));
    for (int type = 0; type < kTypeImages; ++type)
        EXPECT_EQ(type != JazDisc, IsBlank(images.Get(), type)) << "image " << type;
}

TEST(ItemTypeImagesTest, TheBrandingLibraryGivesEveryTypeAnImageInBothSizes)
{
    const BrandingLoaded branding;
    ASSERT_TRUE(branding.IsLoaded());
    for (int size : {16, 32}) {
        const ScopedImageList images(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kTypeImages, 0));
        EXPECT_TRUE(BrowseTreeCtrl::InitImageList(size == 32, images.Get()));
        ASSERT_EQ(kTypeImages, ::ImageList_GetImageCount(images.Get()));
        for (int type = 0; type < kTypeImages; ++type)
            EXPECT_FALSE(IsBlank(images.Get(), type)) << size << " pixels, image " << type;
    }
}
