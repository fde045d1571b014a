#pragma once

#include "basalt_api.h"
#include "item/item.h"

#include <string>
#include <vector>

class RegKey;
class RegKeyRead;

namespace export_text {
struct Value;
}

// One public folder of the index: its name (the index section's), comment and export file.
class BASALT_API PublicFolderItem {
public:
    PublicFolderItem() = default;
    PublicFolderItem(std::string name, std::string comment, std::string file);
    PublicFolderItem(const PublicFolderItem&) = default;
    PublicFolderItem& operator=(const PublicFolderItem&) = default;
    virtual ~PublicFolderItem() = default;

    std::string Name;
    std::string Comment;
    std::string File;
};

// Public folders shared through files in the public folder data location (the machine's
// "Global Data Location"): the administrator exports folders of the namespace root there, one
// export file each, and lists them in an index file; clients import the ones they chose into
// their cache and keep the open views in step.
//
// Everything read from the data location is hostile input: index entries are names and paths
// from outside, and an import writes only below the user's own cache key of the folder it
// imports. Files there are replaced whole, never rewritten in place, so that a reader on another
// machine always finds a whole file.
class BASALT_API PublicFolderMgr {
public:
    // Administrator: a folder of the root made public, changed, renamed away or made private:
    // exports it (public) or removes its export and index entry (private). True when public
    // folders are not in use.
    bool ExportOrRemoveFolder(const CacheItem& folder) const;

    // Client: imports the folders the user selected (and records the selection); folders imported
    // before and no longer selected leave the cache and the views. True when every import
    // succeeded.
    bool ImportFolders(const std::vector<PublicFolderItem>& selected) const;
    // Client: the folders the user selected to import; none when the selection cannot be read.
    std::vector<std::string> GetSelectedFolders() const;
    // Client: imports one folder, replacing the copy in the cache only with one that loaded.
    bool ImportFolder(const PublicFolderItem& entry) const;
    // Client: the folder leaves the open views and the cache (a folder already gone is no failure).
    bool WithdrawFolder(const std::string& name) const;

    // The folders of the index: their number, -1 when the index cannot be read. location: the
    // data location to read, or null for the machine's.
    int GetPublicFolders(std::vector<PublicFolderItem>& folders, const char* location = nullptr) const;
    // The server's software version and client set-up location from the index file; both empty
    // when the index cannot be read.
    void GetDataFileInfo(std::string& version, std::string& clientSetupLocation) const;

    // Tells the search module (and through it every open view) that a folder of the root appeared
    // (add) or went; the search module carries out the removal in the cache.
    bool AddOrRemoveFolderFromShellViews(const std::string& name, bool add) const;

    // The registry key (a full name beginning with its root) with everything below it, or the
    // all-discs folder with the discs of the database, as export text written to a file; with
    // writeHeader the file begins "REGEDIT4" and an empty line, as the registry editor takes it.
    static bool SaveKey(const std::string& fullKeyName, const std::string& file, bool writeHeader);
    static bool SaveAllDiscsKey(const std::string& file, bool writeHeader);

    static std::string AddExtraBackslashes(const std::string& text);
    static std::string RemoveExtraBackslashes(const std::string& text);

    // The longest full key name an export takes is one less.
    static constexpr size_t kKeyNameLimit = 240;

private:
    bool ExportFolder(const CacheItem& folder, std::string& text) const;
    // The key's values and those of every key below it, appended to text; false (after telling
    // the user) for a key name at the limit.
    static bool WriteKeyToFile(const RegKeyRead* key, const std::string& root, const std::string& subPath,
                               std::string& text);
    static void WriteValuesToFile(const RegKeyRead* key, const std::string& section, std::string& text);
    static bool AppendAllDiscs(std::string& text);
    static bool AppendKey(const std::string& fullKeyName, std::string& text);
    static bool WriteExportFile(const std::string& file, const std::string& text, bool writeHeader);

    // The checked sections of the folder's export file written over the folder's copy in the
    // user's cache; false, with the copy as it was, when the file does not hold the folder.
    static bool LoadKey(const std::string& file, const std::string& folderName);
    static void WriteValuesToRegistry(const RegKey* key, const std::vector<export_text::Value>& values);

    bool UpdateIndexFile(const std::string& file, const CacheItem& folder, bool add) const;
    bool ReadIndexFile(const std::string* excluded, std::vector<PublicFolderItem>& folders,
                       PublicFolderItem* found, const char* location) const;
    bool WriteIndexFile(const std::vector<PublicFolderItem>& folders) const;
    static bool GetIndexFilePath(std::string& path, const char* location = nullptr);
    static bool GetDataLocation(std::string& location);
    bool ShellNotifyChange(const CacheItem& item, long event) const;
};
