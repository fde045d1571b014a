// The clipboard formats of the namespace, registered with the system.
#include "transfer/ns_format_list.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string RegisteredName(CLIPFORMAT format)
{
    char name[128] = {};
    return ::GetClipboardFormatNameA(format, name, sizeof name) > 0 ? std::string(name) : std::string();
}

TEST(NSFormatListTest, EachTravellingItemTypeHasItsNamedFormatAndComesBackFromIt)
{
    const std::map<int, std::string> named = {
        {0, "NSSystemFolder"},     {1, "NSUserFolder"},       {2, "NSCDROM"},
        {3, "NSJAZ"},              {4, "NSRootFolder"},       {5, "NSMappedFolder"},
        {9, "NSLaunchObject"},     {11, "NSPublicUserFolder"}, {12, "NSPublicMappedFolder"},
        {20, "NSMultipleSelection"}};
    const NSFormatList formats;
    for (int type = -1; type <= NSFormatList::kSlots; ++type) {
        const CLIPFORMAT format = formats.ItemTypeToDataFormat(type);
        const auto name = named.find(type);
        if (name == named.end()) {
            EXPECT_EQ(0, format) << "type " << type;
            continue;
        }
        EXPECT_EQ(name->second, RegisteredName(format)) << "type " << type;
        ListItemType back = NoItemType;
        EXPECT_TRUE(formats.DataFormatToItemType(format, back));
        EXPECT_EQ(type, back);
        EXPECT_TRUE(formats.IsNamespaceFormat(format));
        EXPECT_EQ(type == MultipleSelection, formats.IsMultipleSelectionFormat(format)) << "type " << type;
    }
    // Every list of the process shares the one registration.
    EXPECT_EQ(formats.ItemTypeToDataFormat(CdRomDisc), NSFormatList().ItemTypeToDataFormat(CdRomDisc));
}

TEST(NSFormatListTest, FormatsOutsideTheTableAreRefused)
{
    const NSFormatList formats;
    const CLIPFORMAT foreign[] = {0, CF_TEXT, CF_HDROP,
                                  static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("FileContents")),
                                  static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("NSSomethingElse"))};
    for (CLIPFORMAT format : foreign) {
        ListItemType type = LaunchObject;
        EXPECT_FALSE(formats.DataFormatToItemType(format, type)) << format;
        EXPECT_EQ(LaunchObject, type) << "the answer is left alone";
        EXPECT_FALSE(formats.IsNamespaceFormat(format)) << format;
        EXPECT_FALSE(formats.IsMultipleSelectionFormat(format)) << format;
    }
}

} // namespace
