#include "item/item.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

class ItemRegistryTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    RegKey folder = RegKey::CURRENT_USER.CreateKey("Software\\ItemTest\\Folder");

    void SetInstallationKind(DWORD kind)
    {
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetDWORDValue("Installed Version", kind);
    }
};

CacheItem Disc()
{
    CacheItem disc;
    disc.Name = "Encyclopedia";
    disc.OriginalName = "ENCYCLO";
    disc.ItemType = CdRomDisc;
    disc.Type = "CD/DVD";
    disc.Comment = "Volume 1";
    disc.Location = "\\\\TOWER1";
    return disc;
}

TEST(CacheItemModel, AnEmptyItemHasTheDefaults)
{
    CacheItem item;
    EXPECT_EQ(NoItemType, item.ItemType);
    EXPECT_EQ("Z", item.DriveLetter);
    EXPECT_EQ(-1, item.IconIndex);
    EXPECT_EQ(-1, item.Index);
    EXPECT_EQ(ItemCreatorClient, item.ItemCreator);
    EXPECT_FALSE(item.RecordBuilt);
    EXPECT_EQ(nullptr, item.Record.Name);
    EXPECT_TRUE(item.Actions.empty());
}

TEST(CacheItemModel, PredicatesFollowTheItemType)
{
    auto typesWhere = [](auto predicate) {
        std::vector<int> types;
        for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20}) {
            CacheItem item;
            item.ItemType = static_cast<ListItemType>(type);
            if (predicate(item))
                types.push_back(type);
        }
        return types;
    };
    EXPECT_EQ(std::vector<int>({0, 1, 4, 5, 11, 12}), typesWhere([](const CacheItem& i) { return i.IsFolder(); }));
    EXPECT_EQ(std::vector<int>({0, 11, 12}), typesWhere([](const CacheItem& i) { return i.IsSystemFolder(); }));
    EXPECT_EQ(std::vector<int>({5, 12}), typesWhere([](const CacheItem& i) { return i.IsMappedFolder(); }));
    EXPECT_EQ(std::vector<int>({11, 12}), typesWhere([](const CacheItem& i) { return i.IsImportedFolder(); }));
    EXPECT_EQ(std::vector<int>({2, 3}), typesWhere([](const CacheItem& i) { return i.IsMedia(); }));
    EXPECT_EQ(std::vector<int>({1, 4, 5}), typesWhere([](const CacheItem& i) { return i.IsDeletableFolder() != 0; }));
}

TEST(CacheItemModel, CopiesTakeEveryFieldButNeverTheRecord)
{
    CacheItem original = Disc();
    original.Index = 4;
    original.AutoMapping = 1;
    original.Actions.resize(2);
    original.Actions[1].DlgTitle = "Pick";
    ASSERT_EQ(1, original.InitStruct());

    CacheItem copy(original);
    EXPECT_TRUE(copy.HasSameAttributeSet1(&original));
    EXPECT_TRUE(copy.HasSameAttributeSet2(&original));
    EXPECT_EQ(4, copy.Index);
    EXPECT_FALSE(copy.RecordBuilt);
    EXPECT_EQ(nullptr, copy.Record.Name);

    CacheItem assigned;
    ASSERT_EQ(1, assigned.InitStruct());
    assigned = original;   // frees its own record first
    EXPECT_FALSE(assigned.RecordBuilt);
    EXPECT_EQ("Pick", assigned.Actions[1].DlgTitle);
    assigned = assigned;
    EXPECT_EQ("Encyclopedia", assigned.Name);
}

TEST(CacheItemModel, RecordRoundTripKeepsAnsiTextAndLeavesNullsEmpty)
{
    CacheItem item = Disc();
    item.Name = "Caf\xe9 \xc6rger";   // non-ASCII in the ANSI code page
    item.FolderPath = "Projects\\2024";
    item.IconIndex = 3;
    ASSERT_EQ(1, item.InitStruct());
    ASSERT_TRUE(item.RecordBuilt);
    EXPECT_EQ(0, std::wcscmp(L"Caf\u00e9 \u00c6rger", item.Record.Name));
    EXPECT_EQ(0, std::wcscmp(L"", item.Record.IconFile));

    CacheItem received(item.Record);
    EXPECT_TRUE(received.HasSameAttributeSet1(&item));
    EXPECT_EQ("Caf\xe9 \xc6rger", received.Name);

    CacheItemStruct sparse{};
    sparse.ItemType = UserFolder;
    sparse.Name = const_cast<WCHAR*>(L"Only a name");
    CacheItem fromSparse(sparse);
    EXPECT_EQ("Only a name", fromSparse.Name);
    EXPECT_EQ("", fromSparse.Location);
    EXPECT_EQ(UserFolder, fromSparse.ItemType);
    EXPECT_EQ("Z", fromSparse.DriveLetter);
}

TEST(CacheItemModel, AttributeComparisonsIgnoreCaseOfTextsButNotNumbers)
{
    CacheItem a = Disc();
    CacheItem b = Disc();
    b.Name = "ENCYCLOPEDIA";
    EXPECT_TRUE(a.HasSameAttributeSet1(&b));
    b.IconIndex = 2;
    EXPECT_FALSE(a.HasSameAttributeSet1(&b));

    a.Actions.resize(1);
    b.Actions.resize(1);
    b.Actions[0].Description = a.Actions[0].Description;
    EXPECT_TRUE(a.HasSameAttributeSet2(&b));
    b.Actions[0].MBButtons = 4;
    EXPECT_FALSE(a.HasSameAttributeSet2(&b));
    b.Actions[0].MBButtons = a.Actions[0].MBButtons;
    b.Actions.emplace_back();
    EXPECT_FALSE(a.HasSameAttributeSet2(&b));
}

TEST(CacheItemModel, ExtractFirstPairWalksAListPairByPair)
{
    std::string first = "stale";
    std::string second = "stale";
    std::string rest = CacheItem::ExtractFirstPair("\\\\TOWER\\CD1:F|\\\\TOWER\\CD2:G", first, second);
    EXPECT_EQ("\\\\TOWER\\CD1", first);
    EXPECT_EQ("F", second);
    EXPECT_EQ("\\\\TOWER\\CD2:G", rest);
    rest = CacheItem::ExtractFirstPair(rest, first, second);
    EXPECT_EQ("G", second);
    EXPECT_EQ("", rest);

    EXPECT_EQ("b:c", CacheItem::ExtractFirstPair("no colon|b:c", first, second));
    EXPECT_EQ("", first);
    EXPECT_EQ("", second);
    EXPECT_EQ("", CacheItem::ExtractFirstPair("", first, second));
    EXPECT_EQ("", first);
    // Only the first colon splits: a value may hold more.
    CacheItem::ExtractFirstPair("Text files:*.txt:x", first, second);
    EXPECT_EQ("*.txt:x", second);
}

TEST_F(ItemRegistryTest, DataSet1OfADiscAFolderAndALaunchObjectReadsBackWhatWasWritten)
{
    CacheItem folderItem;
    folderItem.Name = folderItem.OriginalName = "Reference";
    folderItem.ItemType = UserFolder;
    folderItem.HasSubFolders = 1;
    folderItem.Comment = "Books";

    CacheItem launch;
    launch.Name = launch.OriginalName = "Atlas";
    launch.ItemType = LaunchObject;
    launch.IconFile = "C:\\atlas.exe";
    launch.IconIndex = 2;

    for (const CacheItem& written : {Disc(), folderItem, launch}) {
        ASSERT_TRUE(written.WriteDataSet1ToRegistry(&folder, written.Name));
        CacheItem read;
        RegKeyRead key = folder.GetKeyRead(written.Name);
        ASSERT_TRUE(read.ReadDataSet1FromRegistry(&key));
        EXPECT_TRUE(read.HasSameAttributeSet1(&written)) << written.Name;
    }
    // Values an item does not own are not written.
    EXPECT_FALSE(folder.GetKeyRead("Encyclopedia").ValueExists("HasSubFolders"));
    EXPECT_FALSE(folder.GetKeyRead("Reference").ValueExists("IconFile"));
}

TEST_F(ItemRegistryTest, DataSet1NeedsItsThreeRequiredValues)
{
    RegKey partial = folder.CreateKey("Partial");
    partial.SetStringValue("Name", "x");
    partial.SetStringValue("ItemType", "not a number");
    CacheItem item;
    RegKeyRead key = partial;
    EXPECT_FALSE(item.ReadDataSet1FromRegistry(&key));
    EXPECT_FALSE(item.ReadDataSet1FromRegistry(nullptr));
}

TEST_F(ItemRegistryTest, AdministratorsFoldersLookImportedToAClientOnly)
{
    const struct {
        DWORD installation;
        ListItemType stored;
        ListItemType shown;
    } cases[] = {
        {0, UserFolder, PublicUserFolder}, {0, MappedFolder, PublicMappedFolder},
        {387, UserFolder, UserFolder},     {387, MappedFolder, MappedFolder},
        {691, UserFolder, UserFolder},     {691, MappedFolder, MappedFolder},
    };
    for (const auto& c : cases) {
        SetInstallationKind(c.installation);
        RegKey key = folder.CreateKey("Shared");
        key.SetStringValue("Name", "Shared");
        key.SetStringValue("OriginalName", "Shared");
        key.SetDWORDValue("ItemType", c.stored);
        key.SetDWORDValue("HasSubFolders", 0);
        key.SetDWORDValue("ItemCreator", ItemCreatorServer);
        CacheItem item;
        RegKeyRead readKey = key;
        ASSERT_TRUE(item.ReadDataSet1FromRegistry(&readKey));
        EXPECT_EQ(c.shown, item.ItemType) << "installation " << c.installation << " type " << c.stored;
    }
}

TEST_F(ItemRegistryTest, ActionsAreStoredByIndexAndReadBackIntoTheirPlaces)
{
    CacheItem launch;
    launch.ItemType = LaunchObject;
    launch.Actions.resize(3);
    launch.Actions[0].Description = "Warn";
    launch.Actions[0].DlgMessage = "Insert disc 2";
    launch.Actions[0].MBButtons = 4;
    launch.Actions[1].LOActionType = 2;
    launch.Actions[1].ListItems = "English:-en|French:-fr";
    launch.Actions[1].AllowMultiSelect = 1;
    launch.Actions[2].LOActionType = 3;
    launch.Actions[2].StartDir = "C:\\Data";
    RegKey key = folder.CreateKey("Atlas");
    launch.WriteActionsToRegistry(key);

    // Only the values of an action's own type are stored.
    RegKeyRead messageBox = key.GetKeyRead("Actions\\0");
    for (const char* value : {"DlgTitle", "DlgMessage", "MBButtons"})
        EXPECT_TRUE(messageBox.ValueExists(value)) << value;
    for (const char* value : {"ListItems", "AllowMultiSelect", "StartDir"})
        EXPECT_FALSE(messageBox.ValueExists(value)) << value;
    RegKeyRead second = key.GetKeyRead("Actions\\1");
    EXPECT_FALSE(second.ValueExists("MBButtons"));
    EXPECT_FALSE(second.ValueExists("StartDir"));
    EXPECT_EQ(1u, second.QueryDWORDValue("ActionOrder"));
    RegKeyRead fileDialog = key.GetKeyRead("Actions\\2");
    for (const char* value : {"DlgTitle", "StartDir", "ListItems", "AllowMultiSelect"})
        EXPECT_TRUE(fileDialog.ValueExists(value)) << value;
    for (const char* value : {"DlgMessage", "MBButtons"})
        EXPECT_FALSE(fileDialog.ValueExists(value)) << value;

    CacheItem read;
    read.ReadActionsFromRegistry(key);
    read.ItemType = LaunchObject;
    ASSERT_EQ(3u, read.Actions.size());
    EXPECT_TRUE(read.HasSameAttributeSet2(&launch));

    // Saving an empty chain removes the stored one.
    launch.Actions.clear();
    launch.WriteActionsToRegistry(key);
    EXPECT_FALSE(key.KeyExists("Actions"));
}

TEST_F(ItemRegistryTest, ActionsLoadInTheirStoredOrderWithGapsClosedAndAnUnorderedEntryEndsTheChain)
{
    // Key names sort differently from the stored order, so registry order cannot pass for it.
    RegKey actions = folder.CreateKey("Gappy\\Actions");
    const struct {
        const char* key;
        DWORD order;
        const char* description;
    } stored[] = {{"a", 5, "last"}, {"b", 0, "first"}, {"c", 2, "middle"}};
    for (const auto& s : stored) {
        RegKey entry = actions.CreateKey(s.key);
        entry.SetDWORDValue("ActionOrder", s.order);
        entry.SetStringValue("Description", s.description);
    }
    actions.CreateKey("d").SetStringValue("Description", "no order");
    RegKey afterTheEnd = actions.CreateKey("e");
    afterTheEnd.SetDWORDValue("ActionOrder", 1);
    afterTheEnd.SetStringValue("Description", "never read");

    CacheItem item;
    item.ReadActionsFromRegistry(folder.GetKeyRead("Gappy"));
    std::vector<std::string> descriptions;
    for (const LOAction& action : item.Actions)
        descriptions.push_back(action.Description);
    EXPECT_EQ((std::vector<std::string>{"first", "middle", "last"}), descriptions);
}

TEST_F(ItemRegistryTest, ADamagedActionIndexDoesNotGrowTheChainWithoutBound)
{
    RegKey entry = folder.CreateKey("Damaged\\Actions\\0");
    entry.SetDWORDValue("ActionOrder", 0xFFFFFFF0u);
    CacheItem item;
    item.ReadActionsFromRegistry(folder.GetKeyRead("Damaged"));
    EXPECT_TRUE(item.Actions.empty());
}

int SortOf(std::vector<ListItem>& rows, LPARAM sortWord)
{
    std::vector<ListItem*> order;
    for (ListItem& row : rows)
        order.push_back(&row);
    std::stable_sort(order.begin(), order.end(), [&](ListItem* a, ListItem* b) {
        return ListItem::CompareListItems(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), sortWord) < 0;
    });
    std::vector<ListItem> sorted;
    for (ListItem* row : order)
        sorted.push_back(*row);
    rows = sorted;
    return 0;
}

std::vector<std::string> Names(const std::vector<ListItem>& rows)
{
    std::vector<std::string> names;
    for (const ListItem& row : rows)
        names.push_back(row.GetSubItem(0));
    return names;
}

TEST(ListItemOrder, FolderKindsComeFirstInTheirFixedOrder)
{
    EXPECT_EQ(0, ListItem::CompareListItemTypes(SystemFolder, PublicUserFolder));
    EXPECT_EQ(-1, ListItem::CompareListItemTypes(PublicUserFolder, UserFolder));
    EXPECT_EQ(0, ListItem::CompareListItemTypes(CdRomDisc, LaunchObject));
    EXPECT_EQ(0, ListItem::CompareListItemTypes(UserFolder, MappedFolder));
    EXPECT_EQ(1, ListItem::CompareListItemTypes(CdRomDisc, MappedFolder));
    EXPECT_EQ(-1, ListItem::CompareListItemTypes(MappedFolder, RootFolder));
}

TEST(ListItemOrder, TheSortWordPicksTheColumnAndAHighBitKeepsTheOrder)
{
    ListItem disc("beta", CdRomDisc);
    disc.AddToItem("CD/DVD", CdRomDisc);
    ListItem launch("Alpha", LaunchObject);
    launch.AddToItem("Launch Object", LaunchObject);
    ListItem folderItem("zeta", UserFolder);
    folderItem.AddToItem("User Folder", UserFolder);
    std::vector<ListItem> rows{disc, launch, folderItem};

    SortOf(rows, 0x10000);   // column 0, ascending
    EXPECT_EQ(std::vector<std::string>({"zeta", "Alpha", "beta"}), Names(rows));
    SortOf(rows, 0);         // the same column reversed, folders included
    EXPECT_EQ(std::vector<std::string>({"beta", "Alpha", "zeta"}), Names(rows));
    SortOf(rows, 0x10001);   // by type text
    EXPECT_EQ(std::vector<std::string>({"zeta", "beta", "Alpha"}), Names(rows));
}

TEST(ListItemOrder, ColumnsOutOfRangeAreRefused)
{
    ListItem row("name", CdRomDisc);
    std::string text = "kept";
    ListItemType type = NoItemType;
    EXPECT_EQ(0, row.GetSubItem(1, text, type));
    EXPECT_EQ("kept", text);
    EXPECT_EQ(NoItemType, type);
    EXPECT_EQ("", row.GetSubItem(-1));
    EXPECT_EQ(0, row.SetSubItem(1, "x"));
    EXPECT_EQ(1, row.SetSubItem(0, "renamed"));
    EXPECT_EQ("renamed", row.GetSubItem(0));
}

} // namespace
