#include "command_state.h"

#include "view_commands.h"

#include <algorithm>

CommandState CommandState::Of(bool hasFocus, const std::vector<ListItemType>& selection, const CacheItem& currentFolder)
{
    const std::vector<ListItemType> none;
    const std::vector<ListItemType>& selected = hasFocus ? selection : none;
    CommandState state;
    state.open = !selected.empty();
    if (!selected.empty()) {
        CacheItem first;
        first.ItemType = selected.front();
        state.explore = first.IsFolder() || first.IsMedia();
    }
    const bool currentIsSystem = currentFolder.IsSystemFolder();
    const bool anySystem = std::any_of(selected.begin(), selected.end(), [](ListItemType type) {
        CacheItem item;
        item.ItemType = type;
        return item.IsSystemFolder();
    });
    if (hasFocus) {
        state.deleteItems = !selected.empty() && !anySystem && !currentIsSystem;
        state.rename = selected.size() == 1 && state.deleteItems;
    } else {
        state.deleteItems = !currentIsSystem && currentFolder.ItemType != RootFolder;
        state.rename = state.deleteItems;
    }
    // Without the focus the tree's folder is meant, which is the one shown.
    state.properties = !hasFocus || !selected.empty();
    state.defaultCommand = selected.size() == 1 ? view_command::kExplore
                           : selected.size() > 1 ? view_command::kOpen
                                                 : 0;
    return state;
}
