#include "item_operations.h"

#include "cache/cache.h"
#include "logging/logging.h"
#include "ns_result_codes.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "text/text_compare.h"

namespace {

ItemOperationResult Refused(HRESULT code) { return {code, {}}; }

bool IsAllDiscsFolder(const std::string& path)
{
    return EqualsNoCase(path, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
}

std::string ItemPath(const std::string& folderPath, const std::string& name)
{
    return folderPath.empty() ? name : folderPath + "\\" + name;
}

// Folder items are keyed by their original name; a record may leave it empty.
void KeyByName(CacheItem& item)
{
    if (!item.IsMedia() && item.OriginalName.empty())
        item.OriginalName = item.Name;
}

bool IsAcceptableName(const CacheItem& item, const std::string& name)
{
    return item.IsMedia() ? !name.empty() : !name.empty() && Cache::IsValidName(name);
}

// Whether a folder of the tree takes the item; S_OK when it does.
HRESULT CheckTarget(Cache& folder, const std::string& folderPath, const CacheItem& item, HRESULT missing)
{
    if (IsAllDiscsFolder(folderPath))
        return NSS_S_ACCESS_DENIED;   // its discs come from the searches only
    if (folder.GetStatus() == CacheNotInitialized)
        return missing;
    if (folderPath.empty())
        return S_OK;   // the root of the namespace
    CacheItem target;
    folder.GetOpenedFolderData(target);
    if (!target.IsFolder())
        return NSS_S_ACCESS_DENIED;
    if (item.IsFolder() && (target.ItemType == MappedFolder || target.ItemType == PublicMappedFolder))
        return NSS_S_ADD_DENIED;   // an AutoMap folder holds discs and launch objects only
    return S_OK;
}

// The folders that belong to the system stay where they are: the folder of all discs, the
// root, and a client's public folders, which are the administrator's. Judged by what the cache
// holds, whatever the record that came says.
bool StaysInPlace(const std::string& folderPath, const CacheItem& item)
{
    const auto fixed = [](const CacheItem& folder) { return folder.IsSystemFolder() || folder.ItemType == RootFolder; };
    const std::string itemPath = ItemPath(folderPath, item.Name);
    if (fixed(item) || IsAllDiscsFolder(itemPath))
        return true;
    if (!item.IsFolder())
        return false;
    Cache stored(CacheFolderOnly, itemPath);
    if (stored.GetStatus() == CacheNotInitialized)
        return false;   // not there: the move finds nothing to move
    CacheItem folder;
    stored.GetOpenedFolderData(folder);
    return fixed(folder);
}

bool IsUndeletable(const std::string& folderPath, const CacheItem& item)
{
    if (item.ItemType == RootFolder || item.ItemType == SystemFolder)
        return true;
    return IsAllDiscsFolder(folderPath) || IsAllDiscsFolder(ItemPath(folderPath, item.Name));
}

} // namespace

namespace ItemOperations {

ItemOperationResult Create(const std::string& folderPath, CacheItem item)
{
    Cache folder(CacheEdit, folderPath);
    if (const HRESULT accepted = CheckTarget(folder, folderPath, item, NSS_S_NOT_ADDED); accepted != S_OK)
        return Refused(accepted);
    if (!IsAcceptableName(item, item.Name))
        return Refused(NSS_S_NOT_ADDED);
    if (!item.IsMedia())
        item.OriginalName = item.Name;
    item.FolderPath = folderPath;
    if (folder.ItemExists(item))
        return Refused(NSS_S_NAME_EXISTS);
    if (!folder.AddItem(item))
        return Refused(NSS_S_NOT_ADDED);
    return {S_OK, {{ClientNotification::AddItem, folderPath, item}}};
}

ItemOperationResult Delete(const std::string& folderPath, CacheItem item)
{
    if (IsUndeletable(folderPath, item))
        return Refused(NSS_S_NOT_DELETABLE);
    KeyByName(item);
    Cache folder(CacheEdit, folderPath);
    if (folder.GetStatus() == CacheNotInitialized)
        return Refused(NSS_S_NOT_FOUND);
    const long status = folder.DeleteItem(item);
    if (status == kCacheItemNotFound)
        return Refused(NSS_S_NOT_FOUND);
    if (status != 0)
        return Refused(NSS_S_NOT_DELETABLE);
    item.FolderPath = folderPath;
    return {S_OK, {{ClientNotification::RemoveItem, folderPath, item}}};
}

ItemOperationResult Move(const std::string& destinationPath, CacheItem item, const std::string& newName,
                         long operation)
{
    if (operation != ClipboardCopy && operation != ClipboardCut)
        return Refused(NSS_S_COPY_MOVE_FAILED);
    KeyByName(item);
    const std::string sourcePath = item.FolderPath;
    const std::string targetName = newName.empty() ? item.Name : newName;
    if (!IsAcceptableName(item, targetName))
        return Refused(NSS_S_COPY_MOVE_FAILED);
    if (StaysInPlace(sourcePath, item))
        return Refused(NSS_S_ACCESS_DENIED);

    Cache destination(CacheFolderOnly, destinationPath);
    if (const HRESULT accepted = CheckTarget(destination, destinationPath, item, NSS_S_COPY_MOVE_FAILED);
        accepted != S_OK)
        return Refused(accepted);
    if (item.IsFolder() && AuxiliaryFunctions::IsSubpath(ItemPath(sourcePath, item.Name), destinationPath))
        return Refused(NSS_S_TARGET_IS_SUBFOLDER);

    CacheItem placed(item);
    placed.Name = targetName;
    if (!placed.IsMedia())
        placed.OriginalName = targetName;
    placed.FolderPath = destinationPath;
    if (destination.ItemExists(placed))
        return Refused(NSS_S_NAME_EXISTS);

    Cache source(CacheEdit, sourcePath);
    if (source.GetStatus() == CacheNotInitialized || !source.ItemExists(item))
        return Refused(NSS_S_NOT_FOUND);
    if (source.MoveItem(item, destinationPath, static_cast<ClipboardOperations>(operation), newName) != 0)
        return Refused(NSS_S_COPY_MOVE_FAILED);

    ItemOperationResult done{S_OK, {{ClientNotification::AddItem, destinationPath, placed}}};
    if (operation == ClipboardCut)
        done.changes.push_back({ClientNotification::RemoveItem, sourcePath, item});
    return done;
}

ItemOperationResult Update(const std::string& folderPath, CacheItem item)
{
    if (IsAllDiscsFolder(folderPath))
        return Refused(NSS_S_NOT_UPDATED);   // the searches own the discs there
    KeyByName(item);

    std::string oldName;
    std::string newName = item.Name;
    if (const size_t bar = item.Name.find('|'); bar != std::string::npos) {
        newName = item.Name.substr(0, bar);
        oldName = item.Name.substr(item.Name.rfind('|') + 1);
    } else if (!item.IsMedia() && item.Name != item.OriginalName) {
        oldName = item.OriginalName;
    }
    const bool rename = !oldName.empty();

    CacheItem previous(item);
    previous.FolderPath = folderPath;
    if (rename) {
        if (item.ItemType == SystemFolder || item.ItemType == RootFolder || !IsAcceptableName(item, newName))
            return Refused(NSS_S_NOT_UPDATED);
        previous.Name = oldName;
        if (!item.IsMedia()) {
            previous.OriginalName = oldName;
            item.OriginalName = oldName;
        }
        item.Name = newName + "|" + oldName;
    }

    Cache folder(CacheEdit, folderPath);
    if (folder.GetStatus() == CacheNotInitialized || !folder.ItemExists(previous))
        return Refused(NSS_S_NOT_FOUND);
    if (rename && !EqualsNoCase(newName, oldName)) {
        CacheItem taken(previous);
        taken.Name = newName;
        if (!taken.IsMedia())
            taken.OriginalName = newName;
        if (folder.ItemExists(taken))
            return Refused(NSS_S_NAME_EXISTS);
    }
    if (!folder.UpdateItem(item, rename))
        return Refused(NSS_S_NOT_UPDATED);

    item.FolderPath = folderPath;
    if (!rename && folderPath.empty() && item.IsImportedFolder()) {
        // A public folder the import has just put at the root: views that show it already have
        // it rewritten, the others get its row.
        return {S_OK,
                {{ClientNotification::UpdateItem, folderPath, item}, {ClientNotification::AddItem, folderPath, item}}};
    }
    if (!rename)
        return {S_OK, {{ClientNotification::UpdateItem, folderPath, item}}};
    // Views find rows by name, so a new name reaches them as the old row going and a new one.
    return {S_OK,
            {{ClientNotification::RemoveItem, folderPath, previous}, {ClientNotification::AddItem, folderPath, item}}};
}

} // namespace ItemOperations
