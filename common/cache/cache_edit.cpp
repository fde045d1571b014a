// Edits of the cache's registry tree, serialised between processes by the registry semaphore.
#include "cache/cache.h"

#include "base/named_semaphore.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "settings/auxiliary.h"
#include "text/text_compare.h"
#include "text/text_format.h"

namespace {

constexpr unsigned int kUniqueNameLength = 32;

// A key name must name one sub-key: not empty, no path separator.
bool IsSingleKeyName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

CacheItem ReadItemData(const RegKeyRead& folder, const std::string& keyName, bool& ok)
{
    CacheItem item;
    RegKeyRead key = folder.GetKeyRead(keyName);
    ok = item.ReadDataSet1FromRegistry(&key);
    return item;
}

} // namespace

// A disc's key gets a fresh unique name; without one, its location and a name stand in.
std::string Cache::DiscKeyName(const CacheItem& disc) const
{
    std::string name;
    if (GetUniqueName(name, kUniqueNameLength))
        return name;
    return ReplaceCharacters(disc.Location + "|" + disc.Name, '\\', '|');
}

bool Cache::ItemExists(const CacheItem& item)
{
    if (Status != CacheEdit && Status != CacheFolderOnly)
        return false;
    SemaphoreLock lock(myCacheRegSemaphore, SEMAPHORE_TIMEOUT);
    if (!lock.IsHeld())
        return false;
    std::string keyName;
    return ItemExists(item, keyName);
}

bool Cache::ItemExists(const CacheItem& item, std::string& keyName)
{
    keyName.clear();
    if (Status != CacheEdit && Status != CacheFolderOnly)
        return false;
    if (OpenedFolder.ItemType == SystemFolder && IsAllDiscsPath() && item.IsMedia()) {
        keyName = item.Name;
        return ItemExistsInDB(item);
    }
    try {
        RegKeyRead folder = RegKey::CURRENT_USER.GetKeyRead(GetRegPath(OpenedPath));
        if (item.IsMedia()) {
            RegKeyEnumerator entries = folder.GetKeyEnumerator();
            while (entries.Next()) {
                bool ok = false;
                const CacheItem candidate = ReadItemData(folder, entries.GetName(), ok);
                if (ok && candidate.IsMedia() && candidate.ItemType == item.ItemType &&
                    EqualsNoCase(candidate.Name, item.Name) && EqualsNoCase(candidate.Location, item.Location)) {
                    keyName = entries.GetName();
                    return true;
                }
            }
            return false;
        }
        if (IsSingleKeyName(item.OriginalName) && folder.KeyExists(item.OriginalName)) {
            keyName = item.OriginalName;
            return true;
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::ItemExists() - ", error);
    }
    return false;
}

bool Cache::AddItem(const CacheItem& item)
{
    if (Status != CacheEdit)
        return false;
    SemaphoreLock lock(myCacheRegSemaphore, SEMAPHORE_TIMEOUT);
    if (!lock.IsHeld())
        return false;
    try {
        RegKey folder = RegKey::CURRENT_USER.CreateKey(GetRegPath(OpenedPath));
        LogFormatted("Adding item:\tName: '%s'\tType: '%s'\tLocation: '%s'  NSLoc: '%s'\n",
                     item.Name, item.Type, item.Location, OpenedPath);
        std::string keyName;
        if (!ItemExists(item, keyName))
            keyName = item.IsMedia() ? DiscKeyName(item) : item.Name;
        if (!IsSingleKeyName(keyName))
            return false;
        return item.WriteDataSet1ToRegistry(&folder, keyName);
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::AddItem() - ", error);
        return false;
    }
}

bool Cache::UpdateItem(CacheItem& item, bool rename)
{
    if (Status != CacheEdit)
        return false;
    SemaphoreLock lock(myCacheRegSemaphore, SEMAPHORE_TIMEOUT);
    if (!lock.IsHeld())
        return false;
    try {
        RegKey folder = RegKey::CURRENT_USER.GetKey(GetRegPath(OpenedPath));
        CacheItem lookup(item);
        if (rename) {
            if (item.IsMedia()) {
                const auto bar = item.Name.find_last_of('|');
                if (bar != std::string::npos)
                    lookup.Name = item.Name.substr(bar + 1);
            } else {
                lookup.Name = item.OriginalName;
            }
        }
        std::string keyName;
        if (!ItemExists(lookup, keyName)) {
            Logging::OutToLogFile("Cache: Cannot update an item if it doesn't exist!\n");
            return false;
        }
        if (!rename)
            return item.WriteDataSet1ToRegistry(&folder, keyName);

        const std::string newName = item.Name.substr(0, item.Name.find('|'));
        CacheItem renamed(item);
        renamed.Name = newName;
        const std::string newKeyName = item.IsMedia() ? DiscKeyName(renamed) : newName;
        if (!IsSingleKeyName(newKeyName))
            return false;
        if (!EqualsNoCase(newKeyName, keyName)) {
            // Moving onto another item's key would merge the two items into one.
            if (folder.KeyExists(newKeyName))
                return false;
            folder.MoveKey(keyName, folder, newKeyName);
        }
        item.Name = newName;
        if (!item.IsMedia())
            item.OriginalName = newName;
        return item.WriteDataSet1ToRegistry(&folder, newKeyName);
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::UpdateItem() - ", error);
        Logging::OutToLogFile("Could not open registry item.\n");
        return false;
    }
}

long Cache::DeleteItem(const CacheItem& item)
{
    if (Status != CacheEdit)
        return 1;
    SemaphoreLock lock(myCacheRegSemaphore, SEMAPHORE_TIMEOUT);
    if (!lock.IsHeld())
        return 1;
    try {
        std::string keyName;
        if (!ItemExists(item, keyName))
            return kCacheItemNotFound;
        RegKey::CURRENT_USER.GetKey(GetRegPath(OpenedPath)).DeleteKey(keyName);
        LogFormatted("Deleting item <<-  Name: '%s'\tType: '%s'\tLocation: '%s'\n",
                     item.Name, item.Type, item.Location);
        return 0;
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::DeleteItem() - ", error);
        Logging::OutToLogFile("Could not delete registry object!\n");
        return 1;
    }
}

long Cache::MoveItem(CacheItem& item, const std::string& destinationPath, ClipboardOperations operation,
                     const std::string& newName)
{
    // A cache that could not be opened (its folder or the product key unknown) moves nothing.
    if (Status != CacheEdit || (operation != ClipboardCopy && operation != ClipboardCut))
        return 1;
    const std::string sourceKeyPath = GetRegPath(OpenedPath);
    const std::string destinationKeyPath = GetRegPath(destinationPath);
    if (!IsMoveOperationOK(item, sourceKeyPath, destinationKeyPath))
        return 1;
    const std::string name = newName.empty() ? item.Name : newName;
    SemaphoreLock lock(myCacheRegSemaphore, SEMAPHORE_TIMEOUT);
    if (!lock.IsHeld())
        return 1;
    try {
        RegKey source = RegKey::CURRENT_USER.GetKey(sourceKeyPath);
        RegKey destination = RegKey::CURRENT_USER.GetKey(destinationKeyPath);
        const bool fromDatabase = IsDatabaseFolder();
        std::string sourceName;
        std::string destinationName;
        if (item.IsMedia()) {
            if (!ItemExists(item, sourceName))
                return 1;
            destinationName = DiscKeyName(item);
        } else {
            sourceName = item.Name;
            destinationName = name;
        }
        if (!IsSingleKeyName(destinationName) || (!fromDatabase && !IsSingleKeyName(sourceName)))
            return 1;

        const bool samePlace = EqualsNoCase(sourceKeyPath, destinationKeyPath) && EqualsNoCase(sourceName, destinationName);
        if (samePlace)
            return 0;   // the item is already there under that name
        // Copying onto another item's key would merge the two into one.
        if (destination.KeyExists(destinationName))
            return 1;

        if (operation == ClipboardCopy) {
            if (fromDatabase) {
                if (!item.WriteDataSet1ToRegistry(&destination, destinationName))
                    return 1;
            } else {
                source.CopyKey(sourceName, destination, destinationName.c_str());
            }
        } else {
            if (fromDatabase)
                return 1;
            source.MoveKey(sourceName, destination, destinationName);
        }

        if (!EqualsNoCase(name, item.Name)) {
            RegKey moved = destination.GetKey(destinationName);
            moved.SetStringValue("Name", name);
            if (!item.IsMedia())
                moved.SetStringValue("OriginalName", name);
        }
        return 0;
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::MoveItem() - ", error);
        return 1;
    }
}

bool Cache::IsMoveOperationOK(const CacheItem& item, const std::string& sourceKeyPath,
                              const std::string& destinationKeyPath)
{
    if (!item.IsFolder() && !item.IsMedia() && item.ItemType != LaunchObject)
        return false;
    try {
        if (item.IsFolder() && AuxiliaryFunctions::IsSubpath(sourceKeyPath + "\\" + item.Name, destinationKeyPath))
            return false;

        CacheItem sourceFolder;
        RegKeyRead source = RegKey::CURRENT_USER.GetKeyRead(sourceKeyPath);
        if (!sourceFolder.ReadDataSet1FromRegistry(&source) || !sourceFolder.IsFolder())
            return false;
        if (item.IsMedia()) {
            std::string keyName;
            if (!ItemExists(item, keyName))
                return false;
        } else {
            if (!IsSingleKeyName(item.Name) || !source.KeyExists(item.Name))
                return false;
            bool ok = false;
            const CacheItem stored = ReadItemData(source, item.Name, ok);
            if (!ok || stored.ItemType != item.ItemType)
                return false;
        }

        CacheItem destinationFolder;
        RegKeyRead destination = RegKey::CURRENT_USER.GetKeyRead(destinationKeyPath);
        return destinationFolder.ReadDataSet1FromRegistry(&destination) && destinationFolder.IsFolder();
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::IsMoveOperationOK() - ", error);
        return false;
    }
}
