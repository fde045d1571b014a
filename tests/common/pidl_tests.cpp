#include "pidl/pidl_mgr.h"

#include "support/guarded_bytes.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

CacheItem Item(const std::string& name, ListItemType type, const std::string& comment = "",
               const std::string& driveLetter = "Z", int hasSubFolders = 0)
{
    CacheItem item;
    item.Name = name;
    item.ItemType = type;
    item.Comment = comment;
    item.DriveLetter = driveLetter;
    item.HasSubFolders = hasSubFolders;
    return item;
}

const std::uint8_t* Bytes(LPCITEMIDLIST list) { return reinterpret_cast<const std::uint8_t*>(list); }

std::uint16_t Count(LPCITEMIDLIST list) { return static_cast<std::uint16_t>(Bytes(list)[0] | Bytes(list)[1] << 8); }

class PidlListTest : public ::testing::Test {
protected:
    PidlMgr pidls;

    ScopedPidl Make(const CacheItem& item, const std::string& path = "")
    {
        ScopedPidl list(pidls.Create(item, path));
        EXPECT_NE(nullptr, list);
        return list;
    }
};

TEST_F(PidlListTest, AFiveCharacterDiscAtTheRootTakesEighteenBytesInATwentyOneByteList)
{
    const ScopedPidl list = Make(Item("DISC1", CdRomDisc, "", "Z", 1));

    EXPECT_EQ(18, Count(list.get()));
    EXPECT_EQ(21u, PidlMgr::GetSize(list.get()));
    IMalloc* malloc = nullptr;
    ASSERT_EQ(S_OK, ::SHGetMalloc(&malloc));
    EXPECT_EQ(21u, malloc->GetSize(list.get()));
    malloc->Release();

    const std::vector<std::uint8_t> expected = {18, 0, 2, 0, 0, 0, 1, 'D', 'I', 'S', 'C', '1', 0, 0, 0, 'Z', 0, 0, 0, 0, 0};
    EXPECT_EQ(expected, std::vector<std::uint8_t>(Bytes(list.get()), Bytes(list.get()) + 21));
}

TEST_F(PidlListTest, ReadersGiveBackWhatTheItemCarried)
{
    const ScopedPidl list = Make(Item("Atlas", JazDisc, "Maps of 1998", "Q", 1), "Projects\\Geography");

    std::string text;
    EXPECT_EQ(5u, PidlMgr::GetItemName(list.get(), text));
    EXPECT_EQ("Atlas", text);
    EXPECT_EQ(18u, PidlMgr::GetItemPath(list.get(), text));
    EXPECT_EQ("Projects\\Geography", text);
    EXPECT_EQ(12u, PidlMgr::GetItemComment(list.get(), text));
    EXPECT_EQ("Maps of 1998", text);
    EXPECT_EQ(1u, PidlMgr::GetItemDriveLetter(list.get(), text));
    EXPECT_EQ("Q", text);
    EXPECT_EQ(24u, PidlMgr::GetItemFullName(list.get(), text));
    EXPECT_EQ("Projects\\Geography\\Atlas", text);
    EXPECT_EQ(JazDisc, PidlMgr::GetItemType(list.get()));
    EXPECT_TRUE(PidlMgr::HasSubFolders(list.get()));
    EXPECT_EQ(5 + 18 + 12 + 1 + 12, Count(list.get()));
}

TEST_F(PidlListTest, TheFullNameAtTheRootIsTheNameAlone)
{
    const ScopedPidl list = Make(Item("Archive", UserFolder));
    std::string fullName;
    EXPECT_EQ(7u, PidlMgr::GetItemFullName(list.get(), fullName));
    EXPECT_EQ("Archive", fullName);
    EXPECT_FALSE(PidlMgr::HasSubFolders(list.get()));
}

TEST_F(PidlListTest, AnItemTooLongForASixteenBitCountIsNotMade)
{
    EXPECT_EQ(nullptr, pidls.Create(Item("Disc", CdRomDisc, std::string(65535 - 12 - 4 - 1 + 1, 'c')), ""));
    const ScopedPidl largest = Make(Item("Disc", CdRomDisc, std::string(65535 - 12 - 4 - 1, 'c')));
    EXPECT_EQ(65535, Count(largest.get()));
    EXPECT_TRUE(PidlMgr::IsValid(largest.get()));
}

TEST_F(PidlListTest, AConcatenationEndsWithTheSecondListsItem)
{
    const ScopedPidl folder = Make(Item("Library", UserFolder, "shelves"));
    const ScopedPidl disc = Make(Item("Atlas", CdRomDisc), "Library");
    const ScopedPidl joined(pidls.Concatenate(folder.get(), disc.get()));
    ASSERT_NE(nullptr, joined);

    EXPECT_EQ(Count(folder.get()) + Count(disc.get()) + 3u, PidlMgr::GetSize(joined.get()));
    const LPITEMIDLIST last = PidlMgr::GetLastItem(joined.get());
    EXPECT_EQ(Bytes(joined.get()) + Count(folder.get()), Bytes(last));
    std::string fullName;
    PidlMgr::GetItemFullName(joined.get(), fullName);
    EXPECT_EQ("Library\\Atlas", fullName);
    EXPECT_EQ(CdRomDisc, PidlMgr::GetItemType(joined.get()));
    EXPECT_TRUE(PidlMgr::AreEqual(last, disc.get()));
    EXPECT_EQ(0, Bytes(joined.get())[PidlMgr::GetSize(joined.get()) - 1]);
}

TEST_F(PidlListTest, ConcatenatingWithANullListCopiesTheOther)
{
    const ScopedPidl disc = Make(Item("Atlas", CdRomDisc));
    const ScopedPidl left(pidls.Concatenate(nullptr, disc.get()));
    const ScopedPidl right(pidls.Concatenate(disc.get(), nullptr));
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, right);
    EXPECT_NE(disc.get(), left.get());
    EXPECT_EQ(0, std::memcmp(disc.get(), left.get(), 21));
    EXPECT_EQ(0, std::memcmp(disc.get(), right.get(), 21));
    EXPECT_EQ(nullptr, pidls.Concatenate(nullptr, nullptr));
    EXPECT_EQ(nullptr, pidls.Copy(nullptr));
    EXPECT_EQ(0u, PidlMgr::GetSize(nullptr));
    EXPECT_EQ(nullptr, PidlMgr::GetLastItem(nullptr));
}

TEST_F(PidlListTest, AnEmptyListHasNoLastItem)
{
    const std::uint8_t empty[3] = {};
    const auto list = reinterpret_cast<LPCITEMIDLIST>(empty);
    EXPECT_EQ(3u, PidlMgr::GetSize(list));
    EXPECT_EQ(nullptr, PidlMgr::GetLastItem(list));
    EXPECT_FALSE(PidlMgr::IsValid(list));
    EXPECT_EQ(NoItemType, PidlMgr::GetItemType(list));
}

TEST_F(PidlListTest, EqualityComparesItemByItem)
{
    const std::uint8_t empty[3] = {};
    const ScopedPidl folder = Make(Item("Library", UserFolder));
    const ScopedPidl disc = Make(Item("Atlas", CdRomDisc, "first"), "Library");
    const ScopedPidl otherComment = Make(Item("Atlas", CdRomDisc, "other"), "Library");
    const ScopedPidl path(pidls.Concatenate(folder.get(), disc.get()));
    const ScopedPidl pathOtherComment(pidls.Concatenate(folder.get(), otherComment.get()));
    const ScopedPidl copy(pidls.Copy(path.get()));

    EXPECT_TRUE(PidlMgr::AreEqual(path.get(), path.get()));
    EXPECT_TRUE(PidlMgr::AreEqual(path.get(), copy.get()));
    EXPECT_TRUE(PidlMgr::AreEqual(reinterpret_cast<LPCITEMIDLIST>(empty), path.get()));
    EXPECT_FALSE(PidlMgr::AreEqual(path.get(), pathOtherComment.get()));
    EXPECT_FALSE(PidlMgr::AreEqual(folder.get(), path.get()));
    EXPECT_FALSE(PidlMgr::AreEqual(path.get(), folder.get()));
}

TEST_F(PidlListTest, PredicatesFollowTheLastItemsType)
{
    std::vector<int> system, admin, folder, media;
    for (int type : {0, 1, 2, 3, 4, 5, 7, 9, 11, 12, 20}) {
        const ScopedPidl list = Make(Item("Item", static_cast<ListItemType>(type)));
        if (PidlMgr::IsSystemFolder(list.get()))
            system.push_back(type);
        if (PidlMgr::IsAdminFolder(list.get()))
            admin.push_back(type);
        if (PidlMgr::IsFolderItem(list.get()))
            folder.push_back(type);
        if (PidlMgr::IsMediaItem(list.get()))
            media.push_back(type);
    }
    EXPECT_EQ(std::vector<int>({0}), system);
    EXPECT_EQ(std::vector<int>({11, 12}), admin);
    EXPECT_EQ(std::vector<int>({0, 1, 4, 5, 11, 12}), folder);
    EXPECT_EQ(std::vector<int>({2, 3}), media);
}

TEST_F(PidlListTest, ACacheItemFromAnIdentifierGetsTheTypeTextOfItsKind)
{
    const std::pair<ListItemType, std::string> cases[] = {
        {RootFolder, "Root Folder"},           {UserFolder, "User Folder"},
        {MappedFolder, "AutoMap Folder"},      {PublicUserFolder, "Public Folder"},
        {PublicMappedFolder, "Public AutoMap Folder"}, {LaunchObject, "Disc Folder"},
        {CdRomDisc, "Disc Folder"},            {SystemFolder, "Disc Folder"},
    };
    for (const auto& [type, text] : cases) {
        const ScopedPidl list = Make(Item("Atlas", type, "maps", "M"), "Library\\Shelf");
        CacheItem item;
        item.Location = "\\\\TOWER1";
        item.IconIndex = 4;
        ASSERT_TRUE(PidlMgr::PidlToCacheItem(list.get(), item));
        EXPECT_EQ(text, item.Type) << "type " << type;
        EXPECT_EQ(type, item.ItemType);
        EXPECT_EQ("Atlas", item.Name);
        EXPECT_EQ("Atlas", item.OriginalName);
        EXPECT_EQ("maps", item.Comment);
        EXPECT_EQ("M", item.DriveLetter);
        EXPECT_EQ("Library\\Shelf", item.FolderPath);
        EXPECT_EQ("\\\\TOWER1", item.Location);
        EXPECT_EQ(4, item.IconIndex);
    }
}

TEST_F(PidlListTest, ACopyIsIndependentOfItsSource)
{
    ScopedPidl source = Make(Item("Atlas", CdRomDisc));
    const ScopedPidl copy(pidls.Copy(source.get()));
    ASSERT_NE(nullptr, copy);
    source.reset();
    std::string name;
    PidlMgr::GetItemName(copy.get(), name);
    EXPECT_EQ("Atlas", name);
}

void ExpectNoItem(LPCITEMIDLIST list, std::size_t bound)
{
    std::string text = "left over";
    EXPECT_FALSE(PidlMgr::IsValid(list, bound));
    EXPECT_EQ(0u, PidlMgr::GetItemName(list, text, bound));
    EXPECT_EQ("", text);
    EXPECT_EQ(0u, PidlMgr::GetItemFullName(list, text, bound));
    EXPECT_EQ(0u, PidlMgr::GetItemDriveLetter(list, text, bound));
    EXPECT_EQ(NoItemType, PidlMgr::GetItemType(list, bound));
    EXPECT_FALSE(PidlMgr::HasSubFolders(list, bound));
    EXPECT_FALSE(PidlMgr::IsFolderItem(list, bound));
    CacheItem item;
    item.Name = "untouched";
    EXPECT_FALSE(PidlMgr::PidlToCacheItem(list, item, bound));
    EXPECT_EQ("untouched", item.Name);
}

TEST(DamagedPidl, AWellFormedListEndingAtTheGuardPageReadsInFull)
{
    // As the shell makes them: the zero count and no further zero byte.
    const GuardedBytes bytes({14, 0, 1, 0, 0, 0, 1, 'A', 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(PidlMgr::IsValid(bytes.List(), bytes.Size()));
    EXPECT_TRUE(PidlMgr::IsValid(bytes.List()));
    EXPECT_EQ(17u, PidlMgr::GetSize(bytes.List(), bytes.Size()));
    std::string name;
    EXPECT_EQ(1u, PidlMgr::GetItemName(bytes.List(), name));
    EXPECT_EQ("A", name);

    PidlMgr pidls;
    const ScopedPidl copy(pidls.Copy(bytes.List(), bytes.Size()));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(0, std::memcmp(copy.get(), bytes.List(), bytes.Size()));
    EXPECT_EQ(0, Bytes(copy.get())[16]);
}

TEST(DamagedPidl, StringsWithoutTheirZeroByteInsideTheItemAreRefused)
{
    // Twelve bytes whose strings and pad run to the item's end, then the end mark.
    const GuardedBytes bytes({12, 0, 2, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 0, 0});
    ExpectNoItem(bytes.List(), bytes.Size());
    ExpectNoItem(bytes.List(), pidl_codec::kNoBound);
    // The list itself is well-formed, so it still has a last item and a size.
    EXPECT_EQ(15u, PidlMgr::GetSize(bytes.List()));
}

TEST(DamagedPidl, AStringThatReachesThePadByteIsRefused)
{
    // Three strings end, the fourth runs into the pad byte.
    const GuardedBytes bytes({12, 0, 2, 0, 0, 0, 0, 0, 0, 0, 'Z', 'Z', 0, 0});
    ExpectNoItem(bytes.List(), pidl_codec::kNoBound);
}

TEST(DamagedPidl, ACountSmallerThanTheFixedPartIsRefused)
{
    for (std::uint8_t count : {2, 4, 6, 11}) {
        std::vector<std::uint8_t> raw(count, 0x41);
        raw[0] = count;
        raw[1] = 0;
        raw.push_back(0);
        raw.push_back(0);
        const GuardedBytes bytes(raw);
        ExpectNoItem(bytes.List(), pidl_codec::kNoBound);
    }
}

TEST(DamagedPidl, ACountOfOneCannotBeWalked)
{
    const GuardedBytes bytes({1, 0, 0, 0});
    EXPECT_EQ(0u, PidlMgr::GetSize(bytes.List()));
    EXPECT_EQ(nullptr, PidlMgr::GetLastItem(bytes.List()));
    ExpectNoItem(bytes.List(), pidl_codec::kNoBound);
    PidlMgr pidls;
    EXPECT_EQ(nullptr, pidls.Copy(bytes.List()));
}

TEST(DamagedPidl, AListWithoutItsEndMarkWithinTheBoundIsRefused)
{
    // A complete item, then the first byte of a count and nothing more.
    const GuardedBytes cutShort({14, 0, 1, 0, 0, 0, 1, 'A', 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(0u, PidlMgr::GetSize(cutShort.List(), cutShort.Size()));
    EXPECT_EQ(nullptr, PidlMgr::GetLastItem(cutShort.List(), cutShort.Size()));
    ExpectNoItem(cutShort.List(), cutShort.Size());
    PidlMgr pidls;
    EXPECT_EQ(nullptr, pidls.Copy(cutShort.List(), cutShort.Size()));

    // A count that claims more bytes than there are.
    const GuardedBytes overlong({40, 0, 1, 0, 0, 0, 1, 'A', 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(0u, PidlMgr::GetSize(overlong.List(), overlong.Size()));
    ExpectNoItem(overlong.List(), overlong.Size());
}

TEST(DamagedPidl, ADamagedListEqualsNothing)
{
    // Byte for byte the same, but a count of one cannot be walked.
    const GuardedBytes first({1, 0, 0, 0});
    const GuardedBytes second({1, 0, 0, 0});
    EXPECT_FALSE(PidlMgr::AreEqual(first.List(), second.List()));
}

}  // namespace
