#include "folder_icon_extractor.h"

#include "com/com_boundary.h"

namespace {

// The text that names our icons in the shell's icon cache, with the index.
constexpr char kIconSource[] = "Shellvue";
constexpr wchar_t kIconSourceWide[] = L"Shellvue";

} // namespace

FolderIconExtractor::FolderIconExtractor(ListItemType type, const FolderIconLists& icons) : type_(type), icons_(icons)
{
}

std::optional<int> FolderIconExtractor::IconNumber(ListItemType type, bool open)
{
    int closed = 0;
    switch (type) {
    case SystemFolder:
        closed = 132;
        break;
    case UserFolder:
        closed = 134;
        break;
    case MappedFolder:
        closed = 136;
        break;
    case PublicUserFolder:
        closed = 147;
        break;
    case PublicMappedFolder:
        closed = 149;
        break;
    default:
        return std::nullopt;
    }
    return open ? closed + 1 : closed;
}

HRESULT FolderIconExtractor::Locate(UINT flags, int* index, UINT* outFlags) const
{
    if (!index || !outFlags)
        return E_POINTER;
    const std::optional<int> number = IconNumber(type_, (flags & GIL_OPENICON) != 0);
    if (!number)
        return E_NOTIMPL;
    *index = *number;
    *outFlags = GIL_NOTFILENAME;
    return S_OK;
}

HRESULT FolderIconExtractor::ExtractAt(UINT index, HICON* large, HICON* small) const
{
    if (large)
        *large = icons_.GetIcon(static_cast<int>(index), true);
    if (small)
        *small = icons_.GetIcon(static_cast<int>(index), false);
    return (!large || *large) && (!small || *small) ? S_OK : S_FALSE;
}

STDMETHODIMP FolderIconExtractor::GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags)
{
    if (file && size > 0)
        ::lstrcpynA(file, kIconSource, static_cast<int>(size));
    return Locate(flags, index, outFlags);
}

STDMETHODIMP FolderIconExtractor::GetIconLocation(UINT flags, LPWSTR file, UINT size, int* index, UINT* outFlags)
{
    if (file && size > 0)
        ::lstrcpynW(file, kIconSourceWide, static_cast<int>(size));
    return Locate(flags, index, outFlags);
}

STDMETHODIMP FolderIconExtractor::Extract(LPCSTR, UINT index, HICON* large, HICON* small, UINT)
{
    return ComBoundary("FolderIconExtractor::Extract()", [&] { return ExtractAt(index, large, small); });
}

STDMETHODIMP FolderIconExtractor::Extract(LPCWSTR, UINT index, HICON* large, HICON* small, UINT)
{
    return ComBoundary("FolderIconExtractor::Extract()", [&] { return ExtractAt(index, large, small); });
}
