#pragma once

#include "basalt_api.h"
#include "nsinterfaces.h"

#include <windows.h>

#include <string>
#include <vector>

class RegKey;
class RegKeyRead;

// Item type numbers: stored in the registry, the database, item identifiers and clipboard
// data, so they never change.
enum ListItemType : int {
    SystemFolder = 0,
    UserFolder = 1,
    CdRomDisc = 2,
    JazDisc = 3,
    RootFolder = 4,
    MappedFolder = 5,
    NoItemType = 7,
    LaunchObject = 9,
    PublicUserFolder = 11,
    PublicMappedFolder = 12,
    MultipleSelection = 20,
};

// The installation kind, and who created a folder.
enum ItemCreators : int {
    ItemCreatorClient = 0,
    ItemCreatorServer = 1,
    ItemCreatorOther = 2,
};

// One dialog step of a launch object's chain.
class BASALT_API LOAction {
public:
    LOAction() = default;
    LOAction(const LOAction&) = default;
    LOAction& operator=(const LOAction&) = default;
    virtual ~LOAction() = default;

    bool IsSameAs(const LOAction& other) const;

    std::string Description;
    int LOActionType = 1;
    std::string DlgTitle;
    std::string DlgMessage;
    int MBButtons = 1;
    std::string StartDir;
    std::string ListItems;
    int AllowMultiSelect = 0;
};

// One item of the namespace: a disc, a folder or a launch object.
class BASALT_API CacheItem {
public:
    CacheItem();
    CacheItem(const CacheItem& other);
    explicit CacheItem(const CacheItem* other);
    // Copies every string of a record received through the search module's interfaces.
    explicit CacheItem(const CacheItemStruct& record);
    CacheItem& operator=(const CacheItem& other);
    // A move takes the record along with the rest.
    CacheItem(CacheItem&& other) noexcept;
    CacheItem& operator=(CacheItem&& other) noexcept;
    virtual ~CacheItem();

    // Builds Record from the narrow fields; non-zero on success, no partial record on failure.
    int InitStruct();
    void FreeStruct();

    bool IsFolder() const;
    bool IsSystemFolder() const;
    bool IsMappedFolder() const;
    bool IsImportedFolder() const;
    bool IsMedia() const;
    int IsDeletableFolder() const;

    bool HasSameAttributeSet1(const CacheItem* other) const;
    bool HasSameAttributeSet2(const CacheItem* other) const;

    bool ReadDataSet1FromRegistry(const RegKeyRead* itemKey);
    bool WriteDataSet1ToRegistry(const RegKey* folderKey, const std::string& keyName) const;

    // The second data set and the actions, from and to the item's key in the cache tree. The
    // save holds the cache's lock across processes like every other write of the tree; false
    // when it could not be had or the key could not be written.
    void GetMoreData();
    bool SaveMoreData();

    // A launch object's action chain below its item key (sub-key "Actions").
    void ReadActionsFromRegistry(const RegKeyRead& itemKey);
    void WriteActionsToRegistry(const RegKey& itemKey) const;

    // Splits "first:second|rest" into its first pair; returns the rest of the list.
    static std::string ExtractFirstPair(const std::string& list, std::string& first, std::string& second);

    int Index = -1;
    std::string Name;
    std::string OriginalName;
    std::string Type;
    std::string Comment;
    std::string Location;
    ListItemType ItemType = NoItemType;
    int HasSubFolders = 0;
    std::string FolderPath;
    std::string IconFile;
    int IconIndex = -1;
    CacheItemStruct Record{};
    int AutoMapping = 0;
    std::string DriveLetter = "Z";
    std::string MultipleMapping;
    int ExitLOStatus = 0;
    std::string TargetFile;
    std::string StartIn;
    int StartAs = 0;
    std::string ContactInfo;
    std::vector<LOAction> Actions;
    ItemCreators ItemCreator = ItemCreatorClient;
    int PublicFolder = 0;
    bool RecordBuilt = false;

private:
    void CopyFieldsFrom(const CacheItem& other);
    void MoveFieldsFrom(CacheItem& other) noexcept;
};

// A row of a list view: the column texts and the item's type.
class BASALT_API ListItem {
public:
    ListItem(const std::string& text, ListItemType type);

    void AddToItem(const std::string& text, ListItemType type);
    int GetSubItem(int column, std::string& text, ListItemType& type) const;
    std::string GetSubItem(int column) const;
    int SetSubItem(int column, const std::string& text);
    ListItemType GetType() const { return type_; }

    // Folders before everything else, in a fixed order of folder kinds.
    static int CompareListItemTypes(ListItemType a, ListItemType b);
    // A list-view sort callback; the low word of sortWord is the column, and a sort word
    // below 0x10000 reverses the order.
    static int CALLBACK CompareListItems(LPARAM a, LPARAM b, LPARAM sortWord);

private:
    std::vector<std::string> columns_;
    ListItemType type_;
};
