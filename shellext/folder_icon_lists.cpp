#include "folder_icon_lists.h"

#include "resources/resources.h"
#include "base/scoped_handle.h"

namespace {

HIMAGELIST CreateList(int size)
{
    return ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, FolderIconLists::kIconCount, 0);
}

void AppendIcon(HIMAGELIST list, HINSTANCE branding, int iconNumber, bool large, int position)
{
    HICON loaded = nullptr;
    if (ExternalResMgr::GetIconHandle(branding, static_cast<UINT>(iconNumber), large, loaded)) {
        ScopedIcon icon(loaded);
        if (::ImageList_ReplaceIcon(list, -1, icon.Get()) == position)
            return;
    }
    ::ImageList_SetImageCount(list, static_cast<UINT>(position + 1));
}

} // namespace

FolderIconLists::~FolderIconLists() { Destroy(); }

void FolderIconLists::Destroy()
{
    if (small_)
        ::ImageList_Destroy(small_);
    if (large_)
        ::ImageList_Destroy(large_);
    small_ = large_ = nullptr;
}

bool FolderIconLists::Build(HINSTANCE branding)
{
    Destroy();
    small_ = CreateList(16);
    large_ = CreateList(32);
    if (!small_ || !large_) {
        Destroy();
        return false;
    }
    for (int position = 0; position < kIconCount; ++position) {
        AppendIcon(small_, branding, kIconNumbers[position], false, position);
        AppendIcon(large_, branding, kIconNumbers[position], true, position);
    }
    return true;
}

int FolderIconLists::PositionOf(int iconNumber)
{
    for (int position = 0; position < kIconCount; ++position) {
        if (kIconNumbers[position] == iconNumber)
            return position;
    }
    return 0;
}

HICON FolderIconLists::GetIcon(int iconNumber, bool large) const
{
    HIMAGELIST list = large ? large_ : small_;
    return list ? ::ImageList_GetIcon(list, PositionOf(iconNumber), ILD_NORMAL) : nullptr;
}
