#include "folder_icon_lists.h"

#include "resources/resources.h"
#include "ui/ui_handles.h"

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

bool FolderIconLists::Build(HINSTANCE branding)
{
    small_.Reset(CreateList(16));
    large_.Reset(CreateList(32));
    if (!small_ || !large_) {
        small_.Reset();
        large_.Reset();
        return false;
    }
    for (int position = 0; position < kIconCount; ++position) {
        AppendIcon(small_.Get(), branding, kIconNumbers[position], false, position);
        AppendIcon(large_.Get(), branding, kIconNumbers[position], true, position);
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
    HIMAGELIST list = large ? large_.Get() : small_.Get();
    return list ? ::ImageList_GetIcon(list, PositionOf(iconNumber), ILD_NORMAL) : nullptr;
}
