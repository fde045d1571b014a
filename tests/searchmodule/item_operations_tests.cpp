// The answers of the module's item operations for the cases a shell view cannot provoke
// through the interfaces cheaply: each is checked against the cache tree it leaves.

#include "item_operations.h"
#include "ns_result_codes.h"

#include "support/cache_fixture.h"

namespace {

class ItemOperationsTest : public CacheFixture {
protected:
    void SetUp() override
    {
        CacheFixture::SetUp();
        SetKind(387);
        MakeFolder("Maps", "Maps", MappedFolder);
    }

    static CacheItem In(CacheItem item, const std::string& folderPath)
    {
        item.FolderPath = folderPath;
        return item;
    }
};

TEST_F(ItemOperationsTest, RenamesByNewNameOrByTheBarFormAndRefusesTakenOrInvalidNames)
{
    ASSERT_EQ(S_OK, ItemOperations::Create("Work", Folder("Old")).result);
    ASSERT_EQ(S_OK, ItemOperations::Create("Work", Folder("Other")).result);

    CacheItem taken = Folder("Other");
    taken.OriginalName = "Old";
    EXPECT_EQ(NSS_S_NAME_EXISTS, ItemOperations::Update("Work", taken).result);
    CacheItem invalid = Folder("Bad:Name");
    invalid.OriginalName = "Old";
    EXPECT_EQ(NSS_S_NOT_UPDATED, ItemOperations::Update("Work", invalid).result);
    CacheItem missing = Folder("New");
    missing.OriginalName = "Absent";
    EXPECT_EQ(NSS_S_NOT_FOUND, ItemOperations::Update("Work", missing).result);
    EXPECT_EQ((std::multiset<std::string>{"Old", "Other"}), NamesIn("Work"));

    const ItemOperationResult renamed = ItemOperations::Update("Work", Folder("New|Old"));
    ASSERT_EQ(S_OK, renamed.result);
    EXPECT_EQ((std::multiset<std::string>{"New", "Other"}), NamesIn("Work"));
    ASSERT_EQ(2u, renamed.changes.size());
    EXPECT_EQ(ClientNotification::RemoveItem, renamed.changes[0].notification);
    EXPECT_EQ("Old", renamed.changes[0].item.Name);
    EXPECT_EQ(ClientNotification::AddItem, renamed.changes[1].notification);
    EXPECT_EQ("New", renamed.changes[1].item.Name);

    // A plain update keeps the name and is told as an update.
    CacheItem commented = Folder("New");
    commented.Comment = "with a comment";
    const ItemOperationResult updated = ItemOperations::Update("Work", commented);
    ASSERT_EQ(S_OK, updated.result);
    ASSERT_EQ(1u, updated.changes.size());
    EXPECT_EQ(ClientNotification::UpdateItem, updated.changes[0].notification);
}

TEST_F(ItemOperationsTest, DiscShortcutsRenameByTheBarFormAndAreNeverDuplicated)
{
    const CacheItem disc = Disc("\\\\ALPHA", "CD1");
    ASSERT_EQ(S_OK, ItemOperations::Create("Work", disc).result);
    EXPECT_EQ(NSS_S_NAME_EXISTS, ItemOperations::Create("Work", disc).result);

    CacheItem rename = Disc("\\\\ALPHA", "Office|CD1");
    EXPECT_EQ(S_OK, ItemOperations::Update("Work", rename).result);
    EXPECT_EQ((std::multiset<std::string>{"Office"}), NamesIn("Work"));
}

TEST_F(ItemOperationsTest, DiscsOfTheDatabaseAreCopiedOutButNeitherMovedNorChanged)
{
    UpdateServer("\\\\ALPHA", {Disc("\\\\ALPHA", "CD1")});
    const CacheItem disc = In(Disc("\\\\ALPHA", "CD1"), "All Discs");

    EXPECT_EQ(NSS_S_COPY_MOVE_FAILED, ItemOperations::Move("Work", disc, "", ClipboardCut).result);
    EXPECT_EQ(NSS_S_NOT_UPDATED, ItemOperations::Update("All Discs", disc).result);
    EXPECT_EQ(NSS_S_NOT_DELETABLE, ItemOperations::Delete("All Discs", disc).result);
    EXPECT_EQ(NSS_S_COPY_MOVE_FAILED, ItemOperations::Move("Work", disc, "", 3).result);

    const ItemOperationResult copied = ItemOperations::Move("Maps", disc, "", ClipboardCopy);
    ASSERT_EQ(S_OK, copied.result);
    ASSERT_EQ(1u, copied.changes.size());   // a copy leaves the source as it was
    EXPECT_EQ("Maps", copied.changes[0].folderPath);
    EXPECT_EQ((std::multiset<std::string>{"CD1"}), NamesIn("Maps"));
    EXPECT_EQ(NSS_S_NAME_EXISTS, ItemOperations::Move("Maps", disc, "", ClipboardCopy).result);
    EXPECT_EQ((std::multiset<std::string>{"CD1"}), NamesIn("All Discs"));
}

TEST_F(ItemOperationsTest, FoldersOfTheSystemAndAClientsPublicFoldersAreNeitherCopiedNorMoved)
{
    SetKind(0);   // a client
    MakeFolder("Shared", "Shared", UserFolder);
    CacheKey("Shared").SetDWORDValue("ItemCreator", 1);   // the administrator's, imported
    const struct {
        const char* what;
        CacheItem item;
    } refused[] = {
        {"the folder of all discs", Folder("All Discs", SystemFolder)},
        {"the folder of all discs, said to be a user folder", Folder("All Discs")},
        {"the root", Folder("Network Storage", RootFolder)},
        {"a public folder as the client sees it", Folder("Shared", PublicUserFolder)},
        {"a public folder, said to be the client's own", Folder("Shared")},
    };
    for (const auto& [what, item] : refused) {
        for (const long operation : {ClipboardCopy, ClipboardCut})
            EXPECT_EQ(NSS_S_ACCESS_DENIED, ItemOperations::Move("Work", In(item, ""), "", operation).result) << what;
    }
    EXPECT_TRUE(NamesIn("Work").empty());
    EXPECT_EQ((std::multiset<std::string>{"All Discs", "Maps", "Shared", "Work"}), NamesIn(""));

    // The client's own folders move as ever.
    EXPECT_EQ(S_OK, ItemOperations::Move("Work", In(Folder("Maps", MappedFolder), ""), "", ClipboardCut).result);
    EXPECT_EQ((std::multiset<std::string>{"Maps"}), NamesIn("Work"));
}

TEST_F(ItemOperationsTest, MissingFoldersAndItemsAreReportedAsSuch)
{
    EXPECT_EQ(NSS_S_NOT_ADDED, ItemOperations::Create("Nowhere", Folder("New")).result);
    EXPECT_EQ(NSS_S_NOT_ADDED, ItemOperations::Create("Work", Folder("")).result);
    EXPECT_EQ(NSS_S_NOT_FOUND, ItemOperations::Delete("Nowhere", Folder("New")).result);
    EXPECT_EQ(NSS_S_NOT_FOUND, ItemOperations::Move("", In(Folder("Absent"), "Work"), "", ClipboardCut).result);
    EXPECT_EQ(NSS_S_NOT_DELETABLE, ItemOperations::Delete("", Folder("Network Storage", RootFolder)).result);
    EXPECT_EQ((std::multiset<std::string>{"All Discs", "Maps", "Work"}), NamesIn(""));
}

} // namespace

TEST_F(ItemOperationsTest, AnImportedFolderUpdatedAtTheRootReachesViewsWithAndWithoutItsRow)
{
    MakeFolder("Team", "Team", PublicUserFolder);
    const ItemOperationResult imported = ItemOperations::Update("", Folder("Team", PublicUserFolder));
    ASSERT_EQ(S_OK, imported.result);
    ASSERT_EQ(2u, imported.changes.size());
    EXPECT_EQ(ClientNotification::UpdateItem, imported.changes[0].notification);
    EXPECT_EQ(ClientNotification::AddItem, imported.changes[1].notification);
    EXPECT_EQ("", imported.changes[1].folderPath);

    // The user's own folders are only rewritten where they are shown.
    const ItemOperationResult own = ItemOperations::Update("", Folder("Work"));
    ASSERT_EQ(1u, own.changes.size());
    EXPECT_EQ(ClientNotification::UpdateItem, own.changes[0].notification);
}
