#pragma once

#include <windows.h>

// The registered window messages through which the tree's context menu (and the list itself)
// asks the open view to act on its selection. Registered once per process by name.
struct ViewMessages {
    UINT deleteItem = 0;
    UINT cutItem = 0;
    UINT copyItem = 0;
    UINT pasteItem = 0;
    UINT itemCount = 0;
    UINT selectedCount = 0;
    UINT selectedType = 0;
    UINT selectedParentType = 0;
    UINT openSelected = 0;
    UINT exploreSelected = 0;
    UINT shortcutOfSelected = 0;
    UINT renameSelected = 0;
    UINT propertiesOfSelected = 0;
    UINT clientId = 0;
    UINT cacheRefreshed = 0;
    UINT searchAddedItem = 0;

    static const ViewMessages& Get();
};

// The answer of the type queries when not exactly one item is selected.
constexpr LRESULT kNoSingleItemType = 7;
