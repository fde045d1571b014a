#pragma once

#include "item/item.h"

#include <vector>

// Which of the File menu's commands apply, from the selection of the list and the folder the
// view shows. Without the focus the selection counts as empty: the tree pane then acts on the
// current folder.
struct CommandState {
    bool open = false;
    bool explore = false;
    bool deleteItems = false;
    bool rename = false;
    bool properties = false;
    // Explore for one selected item, Open for several, none for none.
    UINT defaultCommand = 0;

    static CommandState Of(bool hasFocus, const std::vector<ListItemType>& selected, const CacheItem& currentFolder);
};
