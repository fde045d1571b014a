#pragma once

#include "com/com_object.h"
#include "com/shell_interface_ids.h"
#include "folder_icon_lists.h"
#include "item/item.h"

#include <shlobj.h>

#include <optional>

// The icon of one folder of the namespace, from the library's own image lists (its index is
// the branding number of the icon, which the lists map to their places). Items that are not
// folders have no icon here: the shell then shows the registered default.
class FolderIconExtractor final : public ComObject<FolderIconExtractor, IExtractIconA, IExtractIconW> {
public:
    FolderIconExtractor(ListItemType type, const FolderIconLists& icons);

    // The branding number of the closed or open icon of a folder type; none for other types.
    static std::optional<int> IconNumber(ListItemType type, bool open);

    // IExtractIconA
    STDMETHODIMP GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) override;
    STDMETHODIMP Extract(LPCSTR file, UINT index, HICON* large, HICON* small, UINT sizes) override;
    // IExtractIconW
    STDMETHODIMP GetIconLocation(UINT flags, LPWSTR file, UINT size, int* index, UINT* outFlags) override;
    STDMETHODIMP Extract(LPCWSTR file, UINT index, HICON* large, HICON* small, UINT sizes) override;

private:
    HRESULT Locate(UINT flags, int* index, UINT* outFlags) const;
    HRESULT ExtractAt(UINT index, HICON* large, HICON* small) const;

    const ListItemType type_;
    const FolderIconLists& icons_;
};
