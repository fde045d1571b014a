// The second data set of an item (mapping, launch-object and public-folder values), kept in
// the item's key of the cache tree.
#include "item/item.h"

#include "base/named_semaphore.h"
#include "cache/cache.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "registry/registry_values.h"
#include "settings/auxiliary.h"

namespace {

void DeleteIfPresent(const RegKey& key, const char* name)
{
    if (key.ValueExists(name))
        key.DeleteValue(name);
}

// The item's key below HKEY_CURRENT_USER; empty when a disc is not in its folder.
std::string ItemKeyPath(const CacheItem& item)
{
    Cache folder(CacheFolderOnly, item.FolderPath);
    std::string keyName = item.Name;
    if (item.IsMedia() && !folder.ItemExists(item, keyName))
        return {};
    if (keyName.empty())
        return {};
    return folder.GetRegPath(item.FolderPath) + "\\" + keyName;
}

} // namespace

void CacheItem::GetMoreData()
{
    try {
        const std::string path = ItemKeyPath(*this);
        if (path.empty())
            return;
        RegKeyRead key = RegKey::CURRENT_USER.GetKeyRead(path);
        ReadIfPresent(key, "AutoMapping", AutoMapping);
        ReadIfPresent(key, "DriveLetter", DriveLetter);
        ReadIfPresent(key, "MultipleMapping", MultipleMapping);
        ReadIfPresent(key, "ExitLOStatus", ExitLOStatus);
        ReadIfPresent(key, "TargetFile", TargetFile);
        ReadIfPresent(key, "StartIn", StartIn);
        ReadIfPresent(key, "StartAs", StartAs);
        ReadIfPresent(key, "ContactInfo", ContactInfo);
        ReadIfPresent(key, "ItemCreator", ItemCreator);
        ReadIfPresent(key, "PublicFolder", PublicFolder);
        ReadActionsFromRegistry(key);
    } catch (const RegKeyException& error) {
        LogRegKeyException("CacheItem::GetMoreData() - ", error);
    }
}

bool CacheItem::SaveMoreData()
{
    const SemaphoreLock lock(Cache::myCacheRegSemaphore, Cache::SEMAPHORE_TIMEOUT);
    if (!lock.IsHeld()) {
        Logging::OutToLogFile("CacheItem::SaveMoreData() - the cache is busy\n");
        return false;
    }
    try {
        const std::string path = ItemKeyPath(*this);
        if (path.empty())
            return false;
        RegKey key = RegKey::CURRENT_USER.GetKey(path);
        const bool mapsADisc = IsMedia() || ItemType == MappedFolder || ItemType == PublicMappedFolder;
        if (mapsADisc || ItemType == LaunchObject) {
            key.SetDWORDValue("AutoMapping", static_cast<DWORD>(AutoMapping));
            key.SetStringValue("DriveLetter", DriveLetter);
            key.SetStringValue("MultipleMapping", MultipleMapping);
        }
        const bool ownFolder = ItemType == SystemFolder || ItemType == UserFolder || ItemType == MappedFolder;
        if (ownFolder && AuxiliaryFunctions::GetUser() == ItemCreatorServer) {
            key.SetDWORDValue("ItemCreator", static_cast<DWORD>(ItemCreator));
            if (FolderPath.empty())
                key.SetDWORDValue("PublicFolder", static_cast<DWORD>(PublicFolder));
        } else {
            DeleteIfPresent(key, "ItemCreator");
            DeleteIfPresent(key, "PublicFolder");
        }
        if (ItemType == LaunchObject) {
            key.SetDWORDValue("ExitLOStatus", static_cast<DWORD>(ExitLOStatus));
            key.SetStringValue("TargetFile", TargetFile);
            key.SetStringValue("StartIn", StartIn);
            key.SetDWORDValue("StartAs", static_cast<DWORD>(StartAs));
            key.SetStringValue("ContactInfo", ContactInfo);
            WriteActionsToRegistry(key);
        }
        return true;
    } catch (const RegKeyException& error) {
        LogRegKeyException("CacheItem::SaveMoreData() - ", error);
        return false;
    }
}
