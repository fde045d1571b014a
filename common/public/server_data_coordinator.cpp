#include "public/server_data_coordinator.h"

#include "logging/logging.h"
#include "public/public_folder_cache.h"
#include "public/public_folders.h"
#include "registry/registry.h"
#include "settings/auxiliary.h"
#include "text/text_compare.h"

#include <algorithm>

namespace {

// Takes the entry of that name out of the list; false when it was not there.
bool TakeEntry(std::vector<PublicFolderItem>& entries, const std::string& name, PublicFolderItem* taken = nullptr)
{
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const PublicFolderItem& item) { return EqualsNoCase(item.Name, name); });
    if (entry == entries.end())
        return false;
    if (taken)
        *taken = *entry;
    entries.erase(entry);
    return true;
}

} // namespace

void ServerDataCoordinator::StartUpdate()
{
    switch (AuxiliaryFunctions::GetUser()) {
    case ItemCreatorClient:
        UpdateClientData();
        break;
    case ItemCreatorServer:
        UpdateAdminData();
        break;
    case ItemCreatorOther:
        break;
    }
}

void ServerDataCoordinator::UpdateAdminData()
{
    const PublicFolderMgr publisher;
    std::vector<PublicFolderItem> listed;
    publisher.GetPublicFolders(listed);   // unreadable: every local folder is still brought in line
    for (CacheItem folder : RootItems()) {
        if (!folder.IsFolder())
            continue;
        folder.GetMoreData();
        publisher.ExportOrRemoveFolder(folder);
        TakeEntry(listed, folder.Name);
    }
    // Exported once, gone from the namespace since.
    for (const PublicFolderItem& entry : listed) {
        CacheItem gone;
        gone.Name = gone.OriginalName = entry.Name;
        gone.Comment = entry.Comment;
        gone.ItemType = UserFolder;
        gone.PublicFolder = 0;
        publisher.ExportOrRemoveFolder(gone);
    }
}

void ServerDataCoordinator::UpdateClientData()
{
    const PublicFolderMgr importer;
    std::vector<PublicFolderItem> listed;
    if (importer.GetPublicFolders(listed) < 0) {
        Logging::OutToLogFile("ServerDataCoordinator::UpdateClientData() - could not read data file.\n");
        return;
    }
    std::vector<std::string> selected;
    try {
        selected = SelectedPublicFolders();
    } catch (const RegKeyException& error) {
        LogRegKeyException("ServerDataCoordinator::UpdateClientData() - getting folder list ", error);
    }
    for (const std::string& name : ImportedRootFolders()) {
        PublicFolderItem entry;
        if (TakeEntry(listed, name, &entry))
            importer.ImportFolder(entry);
        else
            importer.WithdrawFolder(name);
    }
    for (const PublicFolderItem& entry : listed) {
        if (ContainsNoCase(selected, entry.Name) && importer.ImportFolder(entry))
            importer.AddOrRemoveFolderFromShellViews(entry.Name, true);
    }
}
