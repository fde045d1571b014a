#pragma once

#include "basalt_api.h"
#include "item/item.h"

#include <windows.h>
#include <objidl.h>
#include <shtypes.h>

#include <string>

// Ties the namespace to the Windows shell: shortcut files to namespace items, the identifier
// lists of the namespace root under My Computer and of its folders, and Explorer started on a
// path.
class BASALT_API NamespaceFunctions {
public:
    NamespaceFunctions() = default;
    virtual ~NamespaceFunctions() = default;

    // A shortcut (".lnk") to an item: to its absolute identifier list, or without one to
    // targetPath, with arguments when given. It goes into folder, or without one into the
    // special folder csidl (the desktop, say); a name taken already gets " (2)", " (3)"...
    // launchObjectPath, the launch object's path in the cache, gives its target's icon.
    static bool CreateShortcut(const char* itemName, const ITEMIDLIST* absoluteList, const char* targetPath,
                               const char* folder, int csidl, ListItemType type, const char* arguments,
                               const char* launchObjectPath);
    // The bytes of the same shortcut, without a file: written to stream (for data handed to a
    // drop target, which makes the file itself).
    static bool WriteShortcut(const ITEMIDLIST* absoluteList, const char* targetPath, ListItemType type,
                              const char* arguments, const char* launchObjectPath, IStream* stream);

    // The namespace root under My Computer, found by its display name; null when it is not
    // there. The caller frees the list (CoTaskMemFree).
    static LPITEMIDLIST GetNamespacePidl(const char* rootName);
    // The folder at a backslash-separated path inside the namespace; null when a part is missing.
    static LPITEMIDLIST GetVirtualFolderPidl(const char* rootName, const std::string& folderPath);

    // A shell display name as a narrow string of at most MAX_PATH - 1 characters into name
    // (MAX_PATH bytes); an empty string when it cannot be converted.
    static void GetName(STRRET* displayName, const ITEMIDLIST* list, char* name);
    // The first part of a path up to a backslash; the rest stays in path (empty when none).
    static std::string GetNextFolder(std::string& path);
    // Which icon of the branding library a shortcut to an item of this type shows.
    static int GetIconIndex(ListItemType type);
    // Starts Explorer with the parameters; tells the user when it cannot be started.
    static void LaunchExplorer(const std::string& parameters);

    // The name a new shortcut file gets in folder: "name.lnk", else "name (2).lnk" and on.
    static std::string FreeShortcutPath(const std::string& folder, const std::string& itemName);
};
