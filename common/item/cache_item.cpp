#include "item/item.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "registry/registry_values.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// An action index past this is damaged data, not a chain anyone built.
constexpr DWORD kMaxActions = 1000;

// The seven strings of a record, in their order.
WCHAR* CacheItemStruct::*const kRecordStrings[] = {
    &CacheItemStruct::Name,     &CacheItemStruct::OriginalName, &CacheItemStruct::Type,
    &CacheItemStruct::Comment,  &CacheItemStruct::Location,     &CacheItemStruct::FolderPath,
    &CacheItemStruct::IconFile,
};

// A malloc'ed wide copy (the record's strings are released with free); null on failure.
WCHAR* WideFromNarrow(const std::string& text)
{
    auto* wide = static_cast<WCHAR*>(std::malloc((text.size() + 1) * sizeof(WCHAR)));
    if (!wide)
        return nullptr;
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size() + 1),
                                             wide, static_cast<int>(text.size() + 1));
    if (length == 0) {
        std::free(wide);
        return nullptr;
    }
    return wide;
}

bool HasDialogTitle(int type) { return type == 1 || type == 2 || type == 3; }
bool HasDialogMessage(int type) { return type == 1 || type == 2; }
bool HasListItems(int type) { return type == 2 || type == 3; }

} // namespace

bool LOAction::IsSameAs(const LOAction& other) const
{
    return EqualsNoCase(Description, other.Description) && LOActionType == other.LOActionType &&
           EqualsNoCase(DlgTitle, other.DlgTitle) && EqualsNoCase(DlgMessage, other.DlgMessage) &&
           MBButtons == other.MBButtons && EqualsNoCase(StartDir, other.StartDir) &&
           EqualsNoCase(ListItems, other.ListItems) && AllowMultiSelect == other.AllowMultiSelect;
}

CacheItem::CacheItem() = default;

CacheItem::CacheItem(const CacheItem& other) { CopyFieldsFrom(other); }

CacheItem::CacheItem(const CacheItem* other)
{
    if (other)
        CopyFieldsFrom(*other);
}

CacheItem::CacheItem(const CacheItemStruct& record)
{
    Name = AnsiFromWide(record.Name);
    OriginalName = AnsiFromWide(record.OriginalName);
    Type = AnsiFromWide(record.Type);
    Comment = AnsiFromWide(record.Comment);
    Location = AnsiFromWide(record.Location);
    FolderPath = AnsiFromWide(record.FolderPath);
    IconFile = AnsiFromWide(record.IconFile);
    ItemType = static_cast<ListItemType>(record.ItemType);
    HasSubFolders = record.HasSubFolders;
    IconIndex = record.IconIndex;
}

CacheItem& CacheItem::operator=(const CacheItem& other)
{
    if (this != &other) {
        FreeStruct();
        CopyFieldsFrom(other);
    }
    return *this;
}

CacheItem::CacheItem(CacheItem&& other) noexcept { MoveFieldsFrom(other); }

CacheItem& CacheItem::operator=(CacheItem&& other) noexcept
{
    if (this != &other) {
        FreeStruct();
        MoveFieldsFrom(other);
    }
    return *this;
}

CacheItem::~CacheItem() { FreeStruct(); }

void CacheItem::MoveFieldsFrom(CacheItem& other) noexcept
{
    Index = other.Index;
    Name = std::move(other.Name);
    OriginalName = std::move(other.OriginalName);
    Type = std::move(other.Type);
    Comment = std::move(other.Comment);
    Location = std::move(other.Location);
    ItemType = other.ItemType;
    HasSubFolders = other.HasSubFolders;
    FolderPath = std::move(other.FolderPath);
    IconFile = std::move(other.IconFile);
    IconIndex = other.IconIndex;
    AutoMapping = other.AutoMapping;
    DriveLetter = std::move(other.DriveLetter);
    MultipleMapping = std::move(other.MultipleMapping);
    ExitLOStatus = other.ExitLOStatus;
    TargetFile = std::move(other.TargetFile);
    StartIn = std::move(other.StartIn);
    StartAs = other.StartAs;
    ContactInfo = std::move(other.ContactInfo);
    Actions = std::move(other.Actions);
    ItemCreator = other.ItemCreator;
    PublicFolder = other.PublicFolder;
    Record = other.Record;
    RecordBuilt = other.RecordBuilt;
    other.Record = CacheItemStruct{};
    other.RecordBuilt = false;
}

// Every field but the record, whose strings belong to the item that built them.
void CacheItem::CopyFieldsFrom(const CacheItem& other)
{
    Index = other.Index;
    Name = other.Name;
    OriginalName = other.OriginalName;
    Type = other.Type;
    Comment = other.Comment;
    Location = other.Location;
    ItemType = other.ItemType;
    HasSubFolders = other.HasSubFolders;
    FolderPath = other.FolderPath;
    IconFile = other.IconFile;
    IconIndex = other.IconIndex;
    AutoMapping = other.AutoMapping;
    DriveLetter = other.DriveLetter;
    MultipleMapping = other.MultipleMapping;
    ExitLOStatus = other.ExitLOStatus;
    TargetFile = other.TargetFile;
    StartIn = other.StartIn;
    StartAs = other.StartAs;
    ContactInfo = other.ContactInfo;
    Actions = other.Actions;
    ItemCreator = other.ItemCreator;
    PublicFolder = other.PublicFolder;
}

int CacheItem::InitStruct()
{
    FreeStruct();
    const std::string* sources[] = {&Name, &OriginalName, &Type, &Comment, &Location, &FolderPath, &IconFile};
    for (size_t i = 0; i < std::size(kRecordStrings); ++i) {
        WCHAR* wide = WideFromNarrow(*sources[i]);
        if (!wide) {
            FreeStruct();
            return 0;
        }
        Record.*kRecordStrings[i] = wide;
    }
    Record.ItemType = ItemType;
    Record.HasSubFolders = HasSubFolders;
    Record.IconIndex = IconIndex;
    RecordBuilt = true;
    return 1;
}

void CacheItem::FreeStruct()
{
    for (WCHAR* CacheItemStruct::*field : kRecordStrings) {
        std::free(Record.*field);
        Record.*field = nullptr;
    }
    RecordBuilt = false;
}

bool CacheItem::IsFolder() const
{
    switch (ItemType) {
    case SystemFolder: case UserFolder: case RootFolder: case MappedFolder:
    case PublicUserFolder: case PublicMappedFolder:
        return true;
    default:
        return false;
    }
}

bool CacheItem::IsSystemFolder() const
{
    return ItemType == SystemFolder || ItemType == PublicUserFolder || ItemType == PublicMappedFolder;
}

bool CacheItem::IsMappedFolder() const { return ItemType == MappedFolder || ItemType == PublicMappedFolder; }

bool CacheItem::IsImportedFolder() const { return ItemType == PublicUserFolder || ItemType == PublicMappedFolder; }

bool CacheItem::IsMedia() const { return ItemType == CdRomDisc || ItemType == JazDisc; }

int CacheItem::IsDeletableFolder() const
{
    return ItemType == UserFolder || ItemType == RootFolder || ItemType == MappedFolder;
}

bool CacheItem::HasSameAttributeSet1(const CacheItem* other) const
{
    if (other == this)
        return true;
    return other && EqualsNoCase(Name, other->Name) && EqualsNoCase(OriginalName, other->OriginalName) &&
           EqualsNoCase(Type, other->Type) && EqualsNoCase(Comment, other->Comment) &&
           EqualsNoCase(Location, other->Location) && ItemType == other->ItemType &&
           HasSubFolders == other->HasSubFolders && EqualsNoCase(FolderPath, other->FolderPath) &&
           EqualsNoCase(IconFile, other->IconFile) && IconIndex == other->IconIndex;
}

bool CacheItem::HasSameAttributeSet2(const CacheItem* other) const
{
    if (other == this)
        return true;
    if (!other || AutoMapping != other->AutoMapping || !EqualsNoCase(DriveLetter, other->DriveLetter) ||
        !EqualsNoCase(MultipleMapping, other->MultipleMapping) || ExitLOStatus != other->ExitLOStatus ||
        !EqualsNoCase(TargetFile, other->TargetFile) || !EqualsNoCase(StartIn, other->StartIn) ||
        StartAs != other->StartAs || !EqualsNoCase(ContactInfo, other->ContactInfo) ||
        ItemCreator != other->ItemCreator || PublicFolder != other->PublicFolder ||
        Actions.size() != other->Actions.size())
        return false;
    for (size_t i = 0; i < Actions.size(); ++i) {
        if (!Actions[i].IsSameAs(other->Actions[i]))
            return false;
    }
    return true;
}

bool CacheItem::ReadDataSet1FromRegistry(const RegKeyRead* itemKey)
{
    if (!itemKey)
        return false;
    bool result = false;
    try {
        Name = itemKey->QueryStringValue("Name");
        OriginalName = itemKey->QueryStringValue("OriginalName");
        ItemType = static_cast<ListItemType>(itemKey->QueryDWORDValue("ItemType"));
        result = true;

        if (IsMedia())
            Location = itemKey->QueryStringValue("Location");
        else if (IsFolder())
            HasSubFolders = static_cast<int>(itemKey->QueryDWORDValue("HasSubFolders"));
        ReadIfPresent(*itemKey, "Type", Type);
        ReadIfPresent(*itemKey, "Comment", Comment);
        ReadIfPresent(*itemKey, "IconFile", IconFile);
        ReadIfPresent(*itemKey, "IconIndex", IconIndex);

        if (ItemType == UserFolder || ItemType == MappedFolder) {
            ReadIfPresent(*itemKey, "ItemCreator", ItemCreator);
            // A client sees the administrator's folders as imported ones.
            if (ItemCreator == ItemCreatorServer && AuxiliaryFunctions::GetUser() == ItemCreatorClient)
                ItemType = ItemType == UserFolder ? PublicUserFolder : PublicMappedFolder;
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("CacheItem::ReadDataSet1FromRegistry() - ", error);
    }
    return result;
}

bool CacheItem::WriteDataSet1ToRegistry(const RegKey* folderKey, const std::string& keyName) const
{
    if (!folderKey)
        return false;
    try {
        RegKey key = folderKey->CreateKey(keyName);
        key.SetStringValue("Name", Name);
        key.SetStringValue("OriginalName", OriginalName);
        key.SetDWORDValue("ItemType", static_cast<DWORD>(ItemType));
        key.SetStringValue("Type", Type);
        key.SetStringValue("Comment", Comment);
        key.SetStringValue("Location", Location);
        if (IsFolder())
            key.SetDWORDValue("HasSubFolders", static_cast<DWORD>(HasSubFolders));
        if (ItemType == LaunchObject) {
            key.SetStringValue("IconFile", IconFile);
            key.SetDWORDValue("IconIndex", static_cast<DWORD>(IconIndex));
        }
        return true;
    } catch (const RegKeyException& error) {
        LogRegKeyException("CacheItem::WriteDataToRegistry() - ", error);
        return false;
    }
}

void CacheItem::ReadActionsFromRegistry(const RegKeyRead& itemKey)
{
    Actions.clear();
    const std::string actionsName = CommonText(IDS_ACTIONS_KEY);
    if (!itemKey.KeyExists(actionsName))
        return;
    RegKeyRead actions = itemKey.GetKeyRead(actionsName);
    RegKeyEnumerator entries = actions.GetKeyEnumerator();
    // The stored order decides the chain; an order missing in between (an action removed by
    // hand or a damaged key) closes up instead of becoming an empty message box the user
    // would be shown at run time.
    std::vector<std::pair<DWORD, LOAction>> found;
    while (entries.Next()) {
        RegKeyRead entry = actions.GetKeyRead(entries.GetName());
        if (!entry.ValueExists("ActionOrder"))
            break;
        const DWORD order = entry.QueryDWORDValue("ActionOrder");
        if (order >= kMaxActions)
            break;
        found.emplace_back(order, LOAction());
        LOAction& action = found.back().second;
        ReadIfPresent(entry, "Description", action.Description);
        ReadIfPresent(entry, "LOActionType", action.LOActionType);
        ReadIfPresent(entry, "DlgTitle", action.DlgTitle);
        ReadIfPresent(entry, "DlgMessage", action.DlgMessage);
        ReadIfPresent(entry, "MBButtons", action.MBButtons);
        ReadIfPresent(entry, "StartDir", action.StartDir);
        ReadIfPresent(entry, "ListItems", action.ListItems);
        ReadIfPresent(entry, "AllowMultiSelect", action.AllowMultiSelect);
    }
    // Stable, so two actions claiming one place both stay, in the order they were found.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Actions.reserve(found.size());
    for (auto& entry : found)
        Actions.push_back(std::move(entry.second));
}

void CacheItem::WriteActionsToRegistry(const RegKey& itemKey) const
{
    const std::string actionsName = CommonText(IDS_ACTIONS_KEY);
    if (itemKey.KeyExists(actionsName))
        itemKey.DeleteKey(actionsName);
    if (Actions.empty())
        return;
    RegKey actions = itemKey.CreateKey(actionsName);
    for (size_t index = 0; index < Actions.size(); ++index) {
        const LOAction& action = Actions[index];
        RegKey entry = actions.CreateKey(std::to_string(index));
        entry.SetDWORDValue("ActionOrder", static_cast<DWORD>(index));
        entry.SetStringValue("Description", action.Description);
        entry.SetDWORDValue("LOActionType", static_cast<DWORD>(action.LOActionType));
        if (HasDialogTitle(action.LOActionType))
            entry.SetStringValue("DlgTitle", action.DlgTitle);
        if (HasDialogMessage(action.LOActionType))
            entry.SetStringValue("DlgMessage", action.DlgMessage);
        if (action.LOActionType == 1)
            entry.SetDWORDValue("MBButtons", static_cast<DWORD>(action.MBButtons));
        if (action.LOActionType == 3)
            entry.SetStringValue("StartDir", action.StartDir);
        if (HasListItems(action.LOActionType)) {
            entry.SetStringValue("ListItems", action.ListItems);
            entry.SetDWORDValue("AllowMultiSelect", static_cast<DWORD>(action.AllowMultiSelect));
        }
    }
}

std::string CacheItem::ExtractFirstPair(const std::string& list, std::string& first, std::string& second)
{
    first.clear();
    second.clear();
    const auto bar = list.find('|');
    const std::string pair = list.substr(0, bar);
    const std::string rest = bar == std::string::npos ? std::string() : list.substr(bar + 1);
    const auto colon = pair.find(':');
    if (colon != std::string::npos) {
        first = pair.substr(0, colon);
        second = pair.substr(colon + 1);
    }
    return rest;
}
