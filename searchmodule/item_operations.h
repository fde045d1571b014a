#pragma once

#include "client_registry.h"
#include "item/item.h"

#include <string>
#include <vector>

// A change of the cache that registered clients of a folder are told about.
struct ItemChange {
    ClientNotification notification;
    std::string folderPath;
    CacheItem item;
};

// The outcome of an item operation: S_OK or one of the module's own success codes, and the
// changes made (none unless the result is S_OK).
struct ItemOperationResult {
    HRESULT result;
    std::vector<ItemChange> changes;
};

// The item operations of the module's server interface, carried out on the user's cache tree.
// Each refuses what the target cannot take before anything is changed.
namespace ItemOperations {

ItemOperationResult Create(const std::string& folderPath, CacheItem item);
ItemOperationResult Delete(const std::string& folderPath, CacheItem item);
// operation: 1 copy, 2 move; an empty newName keeps the item's name. The source folder is the
// item's FolderPath. The folder of all discs, the root and a client's public folders are
// neither copied nor moved.
ItemOperationResult Move(const std::string& destinationPath, CacheItem item, const std::string& newName,
                         long operation);
// A rename comes as a new Name (with the old one in OriginalName) or as "new|old" in Name.
ItemOperationResult Update(const std::string& folderPath, CacheItem item);

} // namespace ItemOperations
