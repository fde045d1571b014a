#pragma once

#include "com/com_object.h"
#include "pidl/pidl_mgr.h"

#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

// The sub-folders of one folder of the namespace, as Explorer enumerates them. Only folders
// are listed, and only when asked for (SHCONTF_FOLDERS): discs and launch objects are shown by
// the folder's own view. The list is read from the cache once, when the enumerator is made.
class FolderEnumerator final : public ComObject<FolderEnumerator, IEnumIDList> {
public:
    // Throws std::bad_alloc when an identifier cannot be made.
    FolderEnumerator(const std::string& folderPath, SHCONTF flags);

    size_t Count() const { return items_.size(); }

    STDMETHODIMP Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumIDList** copy) override;

private:
    PidlMgr pidls_;
    std::vector<ScopedPidl> items_;
    size_t current_ = 0;
};

// The sub-folder of the folder at folderPath that the enumeration lists under this name, found
// without regard to case; none when there is no such folder.
std::optional<CacheItem> FindSubFolder(const std::string& folderPath, const std::string& name);
