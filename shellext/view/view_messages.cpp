#include "view_messages.h"

#include "res/string_ids.h"
#include "resources/texts.h"

namespace {

UINT Register(UINT nameId) { return ::RegisterWindowMessageA(CommonText(nameId).c_str()); }

ViewMessages RegisterAll()
{
    ViewMessages messages;
    messages.deleteItem = Register(IDS_MSG_DELETE_ITEM);
    messages.cutItem = Register(IDS_MSG_CUT_ITEM);
    messages.copyItem = Register(IDS_MSG_COPY_ITEM);
    messages.pasteItem = Register(IDS_MSG_PASTE_ITEM);
    messages.itemCount = Register(IDS_MSG_ITEM_COUNT);
    messages.selectedCount = Register(IDS_MSG_GET_SELECTED_ITEM_COUNT);
    messages.selectedType = Register(IDS_MSG_GET_SELECTED_ITEM_TYPE);
    messages.selectedParentType = Register(IDS_MSG_GET_SELECTED_ITEMS_PARENT_TYPE);
    messages.openSelected = Register(IDS_MSG_SELECTED_ITEM_OPEN);
    messages.exploreSelected = Register(IDS_MSG_SELECTED_ITEM_EXPLORE);
    messages.shortcutOfSelected = Register(IDS_MSG_SELECTED_ITEM_CREATE_SHORTCUT);
    messages.renameSelected = Register(IDS_MSG_SELECTED_ITEM_RENAME);
    messages.propertiesOfSelected = Register(IDS_MSG_SELECTED_ITEM_SHOW_PROPERTIES);
    messages.clientId = Register(IDS_MSG_GET_SHELLVIEW_CLIENT_ID);
    messages.cacheRefreshed = Register(IDS_MSG_CACHE_REFRESHED);
    messages.searchAddedItem = Register(IDS_MSG_SEARCH_ADDED_ITEM);
    return messages;
}

} // namespace

const ViewMessages& ViewMessages::Get()
{
    static const ViewMessages messages = RegisterAll();
    return messages;
}
