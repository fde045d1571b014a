#pragma once

#include "basalt_api.h"
#include "item/item.h"
#include "pidl/pidl_codec.h"

#include <windows.h>
#include <objbase.h>
#include <shtypes.h>

#include <cstddef>
#include <memory>
#include <string>

// Makes, copies, joins, walks and reads the item identifier lists of the namespace. Each item
// carries the essentials of one CacheItem, so most questions are answered without the cache.
//
// The static members read lists that Explorer hands over, which may be damaged or another
// namespace's: a damaged list or last item reads as "no item" (size 0, null pointers, empty
// strings, NoItemType, false). Where the caller knows how many bytes the list may occupy (data
// from the clipboard, say) it passes that as maxBytes and nothing beyond is read.
class BASALT_API PidlMgr {
public:
    PidlMgr();
    PidlMgr(const PidlMgr& other);
    PidlMgr& operator=(const PidlMgr& other);
    virtual ~PidlMgr();

    // A one-item list for item, held by the folder at path; null when allocation fails or the
    // item's strings are too long for one identifier.
    LPITEMIDLIST Create(const CacheItem& item, const std::string& path) const;
    void Delete(LPITEMIDLIST list) const;
    LPITEMIDLIST Copy(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound) const;
    LPITEMIDLIST Concatenate(LPCITEMIDLIST first, LPCITEMIDLIST second) const;

    static unsigned int GetSize(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);
    static LPITEMIDLIST GetLastItem(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);
    // True when the list ends within maxBytes and its last item is one of ours.
    static bool IsValid(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);

    // Readers of the last item; each returns the length of the string it gives.
    static unsigned int GetItemName(LPCITEMIDLIST list, std::string& name, std::size_t maxBytes = pidl_codec::kNoBound);
    static unsigned int GetItemPath(LPCITEMIDLIST list, std::string& path, std::size_t maxBytes = pidl_codec::kNoBound);
    static unsigned int GetItemComment(LPCITEMIDLIST list, std::string& comment,
                                       std::size_t maxBytes = pidl_codec::kNoBound);
    static unsigned int GetItemDriveLetter(LPCITEMIDLIST list, std::string& driveLetter,
                                           std::size_t maxBytes = pidl_codec::kNoBound);
    // "folder path\name", or the name alone at the root.
    static unsigned int GetItemFullName(LPCITEMIDLIST list, std::string& fullName,
                                        std::size_t maxBytes = pidl_codec::kNoBound);
    static ListItemType GetItemType(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);
    static bool HasSubFolders(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);

    static bool IsSystemFolder(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);
    static bool IsAdminFolder(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);
    static bool IsFolderItem(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);
    static bool IsMediaItem(LPCITEMIDLIST list, std::size_t maxBytes = pidl_codec::kNoBound);

    // Equal when the second list starts with the items of the first, item for item, and neither
    // goes on where the other ends; a list that is only the end mark equals any list.
    static bool AreEqual(LPCITEMIDLIST first, LPCITEMIDLIST second);

    // Fills the item's name, original name, type and type text, comment, drive letter and folder
    // path from the last item; false, leaving the item alone, when there is no valid last item.
    static bool PidlToCacheItem(LPCITEMIDLIST list, CacheItem& item, std::size_t maxBytes = pidl_codec::kNoBound);

private:
    LPITEMIDLIST Create(const PidlData& data, std::uint16_t size) const;
    void* Allocate(std::size_t size) const;
    static bool GetDataPointer(LPCITEMIDLIST list, PidlData& data, std::size_t maxBytes);

    IMalloc* malloc_ = nullptr;
};

// Frees a list made by PidlMgr (or by the shell) with the task allocator.
struct PidlDeleter {
    void operator()(ITEMIDLIST* list) const noexcept { ::CoTaskMemFree(list); }
};
using ScopedPidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;
