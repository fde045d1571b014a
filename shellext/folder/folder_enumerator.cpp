#include "folder_enumerator.h"

#include "cache/cache.h"
#include "com/com_boundary.h"
#include "logging/logging.h"
#include "text/text_compare.h"

#include <new>

namespace {

// Discs and launch objects are the view's to show, never the shell's.
bool IsListed(const CacheItem* item) { return item && item->IsFolder(); }

} // namespace

FolderEnumerator::FolderEnumerator(const std::string& folderPath, SHCONTF flags)
{
    if ((flags & SHCONTF_FOLDERS) == 0)
        return;
    Cache folder(CacheReadFolder, folderPath);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
        const CacheItem* item = *it;
        if (!IsListed(item))
            continue;
        ScopedPidl list(pidls_.Create(*item, folderPath));
        if (!list)
            throw std::bad_alloc();
        items_.push_back(std::move(list));
    }
}

STDMETHODIMP FolderEnumerator::Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched)
{
    if (fetched)
        *fetched = 0;
    if (!items || (count > 1 && !fetched))
        return E_INVALIDARG;
    return ComBoundary("FolderEnumerator::Next()", [&] {
        ULONG copied = 0;
        while (copied < count && current_ < items_.size()) {
            LPITEMIDLIST copy = pidls_.Copy(items_[current_].get());
            if (!copy) {
                for (ULONG i = 0; i < copied; ++i) {
                    pidls_.Delete(items[i]);
                    items[i] = nullptr;
                }
                return E_OUTOFMEMORY;
            }
            items[copied++] = copy;
            ++current_;
        }
        if (fetched)
            *fetched = copied;
        return copied == count ? S_OK : S_FALSE;
    });
}

STDMETHODIMP FolderEnumerator::Skip(ULONG count)
{
    const size_t left = items_.size() - current_;
    if (count > left) {
        current_ = items_.size();
        return S_FALSE;
    }
    current_ += count;
    return S_OK;
}

STDMETHODIMP FolderEnumerator::Reset()
{
    current_ = 0;
    return S_OK;
}

STDMETHODIMP FolderEnumerator::Clone(IEnumIDList** copy)
{
    if (copy)
        *copy = nullptr;
    return E_NOTIMPL;
}

std::optional<CacheItem> FindSubFolder(const std::string& folderPath, const std::string& name)
{
    Cache folder(CacheReadFolder, folderPath);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
        const CacheItem* item = *it;
        if (IsListed(item) && EqualsNoCase(item->Name, name))
            return *item;
    }
    return std::nullopt;
}
