// The branding library read the way any other program would: as a plain data file,
// without Basalt.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(HMODULE library, UINT id)
{
    char buffer[256];
    const int length = ::LoadStringA(library, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

class BrandingLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, library); }
    void TearDown() override { ::FreeLibrary(library); }
    HMODULE library = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
};

TEST_F(BrandingLibrary, NamesTheProductItsKeyAndItsClasses)
{
    EXPECT_EQ("Halvo", Text(library, 50000));
    EXPECT_EQ("Orvek Communications", Text(library, 50001));
    EXPECT_EQ("SOFTWARE\\Orvek Communications\\Tessaro Halvo", Text(library, 53000));
    EXPECT_EQ("Network Storage", Text(library, 55000));
    EXPECT_EQ("All Discs", Text(library, 55001));
    EXPECT_EQ("{3E73FA00-72FE-11D1-B008-00A0C98D47B7}", Text(library, 60000));
    EXPECT_EQ("{3E73FA01-72FE-11D1-B008-00A0C98D47B7}", Text(library, 60001));
    for (UINT id : {51001u, 51002u, 52000u, 52001u, 52002u, 41000u, 42000u})
        EXPECT_FALSE(Text(library, id).empty()) << id;
}

TEST_F(BrandingLibrary, HoldsEveryIconInBothSizesAndNoTwoAlike)
{
    std::string previous;
    for (UINT id = 130; id <= 151; ++id) {
        HRSRC groupInfo = ::FindResourceA(library, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        ASSERT_NE(nullptr, groupInfo) << id;
        auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(library, groupInfo)));
        std::string images;
        for (int size : {16, 32}) {
            const int imageId = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC imageInfo = ::FindResourceA(library, MAKEINTRESOURCEA(imageId), RT_ICON);
            ASSERT_NE(nullptr, imageInfo) << id << " at " << size;
            const auto* bits = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(library, imageInfo)));
            EXPECT_EQ(size, bits->biWidth) << id;
            images.append(reinterpret_cast<const char*>(bits), ::SizeofResource(library, imageInfo));
        }
        EXPECT_NE(previous, images) << "icon " << id << " repeats the one before it";
        previous = images;
    }
}

} // namespace
