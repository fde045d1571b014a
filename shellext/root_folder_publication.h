#pragma once

#include "item/item.h"

#include <string>

// The administrator's published folders of the namespace root follow their renames and deletes
// into the public folder data: made before the change (which may take the folder's data away),
// told of it afterwards. A folder elsewhere, a folder that is not published or a user who is not
// the administrator changes nothing there.
class RootFolderPublication {
public:
    RootFolderPublication(const CacheItem& folder, const std::string& folderPath);

    // The folder is published under its new name and its export under the old one withdrawn.
    void Renamed(const std::string& newName) const;
    // Its export is withdrawn.
    void Deleted() const;

private:
    CacheItem folder_;
    bool published_ = false;
};
