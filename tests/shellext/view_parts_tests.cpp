#include "list/find_files_request.h"
#include "list/new_item_names.h"
#include "list/view_rows.h"
#include "view/command_state.h"
#include "view/view_commands.h"
#include "view/view_state.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr CLSID kFolderClass = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

CacheItem Item(const std::string& name, ListItemType type, const std::string& location = "",
               const std::string& comment = "")
{
    CacheItem item;
    item.Name = item.OriginalName = name;
    item.ItemType = type;
    item.Location = location;
    item.Comment = comment;
    return item;
}

std::vector<std::string> Names(const ViewRows& rows)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < rows.Size(); ++i)
        names.push_back(rows.At(i).item.Name);
    return names;
}

TEST(ViewStateTest, OnlyARecordOfThisClassSizeAndRangeIsTaken)
{
    ViewState state;
    state.sortColumn = 2;
    state.ascending = false;
    state.widths = {150, 0, -5, 99999};
    auto bytes = state.Serialize(kFolderClass);
    const auto parsed = ViewState::Parse(bytes.data(), bytes.size(), kFolderClass, 4);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(2, parsed->sortColumn);
    EXPECT_FALSE(parsed->ascending);
    EXPECT_EQ(150, parsed->widths[0]);
    EXPECT_EQ(ViewState::kDefaultWidth, parsed->widths[1]);
    EXPECT_EQ(ViewState::kDefaultWidth, parsed->widths[2]);
    EXPECT_EQ(ViewState::kWidestColumn, parsed->widths[3]);

    EXPECT_FALSE(ViewState::Parse(bytes.data(), bytes.size() - 1, kFolderClass, 4)) << "short";
    EXPECT_FALSE(ViewState::Parse(bytes.data(), bytes.size(), kFolderClass, 2)) << "sort column beyond the columns";
    CLSID other = kFolderClass;
    other.Data4[7] ^= 1;
    EXPECT_FALSE(ViewState::Parse(bytes.data(), bytes.size(), other, 4));
    bytes[20] = 7;   // a direction that is neither
    EXPECT_FALSE(ViewState::Parse(bytes.data(), bytes.size(), kFolderClass, 4));
    bytes[20] = 0;
    bytes[16] = 0xFF;
    bytes[19] = 0xFF;   // a negative column
    EXPECT_FALSE(ViewState::Parse(bytes.data(), bytes.size(), kFolderClass, 4));
    EXPECT_FALSE(ViewState::Parse(nullptr, 64, kFolderClass, 4));
}

TEST(CommandStateTest, FollowsTheSelectionWithTheFocusAndTheFolderWithout)
{
    const CacheItem work = Item("Work", UserFolder);
    const CacheItem allDiscs = Item("All Discs", SystemFolder);
    const CacheItem root = Item("Network Storage", RootFolder);

    CommandState one = CommandState::Of(true, {UserFolder}, work);
    EXPECT_TRUE(one.open && one.explore && one.deleteItems && one.rename && one.properties);
    EXPECT_EQ(view_command::kExplore, one.defaultCommand);

    CommandState two = CommandState::Of(true, {LaunchObject, CdRomDisc}, work);
    EXPECT_TRUE(two.open);
    EXPECT_FALSE(two.explore) << "the first item decides";
    EXPECT_TRUE(two.deleteItems);
    EXPECT_FALSE(two.rename);
    EXPECT_TRUE(two.properties) << "what the two have in common";
    EXPECT_TRUE(CommandState::Of(true, {LaunchObject}, work).properties) << "a launch object has a sheet of its own";
    EXPECT_EQ(view_command::kOpen, two.defaultCommand);

    CommandState none = CommandState::Of(true, {}, work);
    EXPECT_FALSE(none.open || none.deleteItems || none.properties);
    EXPECT_EQ(0u, none.defaultCommand);

    EXPECT_FALSE(CommandState::Of(true, {SystemFolder}, root).deleteItems);
    EXPECT_FALSE(CommandState::Of(true, {CdRomDisc}, allDiscs).deleteItems);
    EXPECT_FALSE(CommandState::Of(true, {PublicUserFolder}, work).deleteItems);

    // The tree has the focus: the current folder is what would be deleted.
    EXPECT_TRUE(CommandState::Of(false, {CdRomDisc}, work).deleteItems);
    EXPECT_FALSE(CommandState::Of(false, {}, root).deleteItems);
    EXPECT_FALSE(CommandState::Of(false, {}, allDiscs).rename);
    EXPECT_TRUE(CommandState::Of(false, {}, work).properties);
}

TEST(NewItemNamesTest, NumbersCountOnFromTheTakenName)
{
    EXPECT_EQ("New Folder (2)", NextFreeName("New Folder", "New Folder"));
    EXPECT_EQ("New Folder (3)", NextFreeName("New Folder", "New Folder (2)"));
    EXPECT_EQ("New Folder (10)", NextFreeName("New Folder", "New Folder (9)"));
    EXPECT_EQ("New Folder (11)", NextFreeName("New Folder", "New Folder (10)"));
    EXPECT_EQ("New Folder (2)", NextFreeName("New Folder", "New Folder (x)"));
    EXPECT_EQ("New Folder (2)", NextFreeName("New Folder", "New Folder (99999999999)"));
}

TEST(FindFilesRequestTest, PathsAreQuotedAndThoseThatWouldBreakTheCommandRefused)
{
    EXPECT_EQ("[FindFolder(, \"\\\\ATLAS\\MAPS 2\")]", FindFolderCommand("\\\\ATLAS\\MAPS 2"));
    EXPECT_FALSE(FindFolderCommand("\\\\ATLAS\\a\")][Delete(\"x"));
    EXPECT_FALSE(FindFolderCommand("\\\\ATLAS\\a]b"));
    EXPECT_FALSE(FindFolderCommand("\\\\ATLAS\\a\nb"));
    EXPECT_FALSE(FindFolderCommand(""));
}

TEST(ViewRowsTest, RowsKeepTheOrderAndEachItemOnce)
{
    ViewRows rows;
    rows.Assign({Item("maps", CdRomDisc, "\\\\B"), Item("Atlas", CdRomDisc, "\\\\A"), Item("Work", UserFolder),
                 Item("atlas", CdRomDisc, "\\\\a")},
                {});
    EXPECT_EQ((std::vector<std::string>{"Work", "Atlas", "maps"}), Names(rows)) << "one Atlas on \\\\A";
    EXPECT_TRUE(rows.Insert(Item("Beta", CdRomDisc, "\\\\A"), 0));
    EXPECT_FALSE(rows.Insert(Item("BETA", CdRomDisc, "\\\\a"), 0));
    EXPECT_TRUE(rows.Insert(Item("Beta", CdRomDisc, "\\\\C"), 0)) << "another server's disc of that name";
    EXPECT_EQ((std::vector<std::string>{"Work", "Atlas", "Beta", "Beta", "maps"}), Names(rows));

    rows.Sort(ViewColumn::Server, false);
    EXPECT_EQ("Work", rows.At(rows.Size() - 1).item.Name) << "descending turns the kinds around too, as Explorer does";
    EXPECT_EQ("\\\\C", rows.At(0).item.Location);
    ASSERT_TRUE(rows.Remove(Item("beta", CdRomDisc, "\\\\c")));
    EXPECT_FALSE(rows.Remove(Item("beta", CdRomDisc, "\\\\c")));
    CacheItem moved = Item("Atlas", CdRomDisc, "\\\\A", "now with a comment");
    ASSERT_TRUE(rows.Update(moved));
    ASSERT_TRUE(rows.Find(moved));
    EXPECT_EQ("now with a comment", rows.At(*rows.Find(moved)).item.Comment);
    EXPECT_EQ(4u, rows.Size());
    EXPECT_EQ("ATLAS", ViewRows::ColumnText(Item("x", CdRomDisc, "\\\\ATLAS"), ViewColumn::Server));
}

} // namespace
