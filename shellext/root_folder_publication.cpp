#include "root_folder_publication.h"

#include "public/public_folders.h"
#include "settings/auxiliary.h"
#include "text/text_compare.h"

RootFolderPublication::RootFolderPublication(const CacheItem& folder, const std::string& folderPath)
    : folder_(folder)
{
    if (!folderPath.empty() || !folder.IsFolder() || AuxiliaryFunctions::GetUser() != ItemCreatorServer)
        return;
    folder_.FolderPath.clear();
    folder_.GetMoreData();
    published_ = folder_.PublicFolder != 0;
}

void RootFolderPublication::Renamed(const std::string& newName) const
{
    if (!published_)
        return;
    const PublicFolderMgr publisher;
    // The new name first: the old export goes only once the new one is there.
    CacheItem renamed(folder_);
    renamed.Name = renamed.OriginalName = newName;
    publisher.ExportOrRemoveFolder(renamed);
    // Only a name that is another file: in another case it names the export just written.
    if (!EqualsNoCase(newName, folder_.Name)) {
        CacheItem withdrawn(folder_);
        withdrawn.PublicFolder = 0;
        publisher.ExportOrRemoveFolder(withdrawn);
    }
}

void RootFolderPublication::Deleted() const
{
    if (!published_)
        return;
    CacheItem withdrawn(folder_);
    withdrawn.PublicFolder = 0;
    PublicFolderMgr().ExportOrRemoveFolder(withdrawn);
}
