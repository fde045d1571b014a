// The list control's property sheets: of the selected items, of the folder shown, and the wizard
// that makes a new launch object in it.
#include "view_list_ctrl.h"

#include "logging/logging.h"
#include "props/item_property_sheet.h"
#include "props/lo_property_sheet.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "ui/prompt.h"

void ShellViewListCtrl::ShowProperties()
{
    Logging::OutToLogFile("ShellViewListCtrl::LaunchItemProperties()\n");
    // Without the focus the tree's folder is meant, which is the one shown here.
    std::vector<CacheItem> selected = HasFocus() ? SelectedItems() : std::vector<CacheItem>{folderItem_};
    if (HasFocus()) {
        for (CacheItem& item : selected) {
            if (item.FolderPath.empty())
                item.FolderPath = context_.folderPath;
        }
    }
    if (selected.size() > 1)
        ItemPropertySheet(selected).DoModal(::GetParent(list_));
    else if (selected.size() == 1 && selected.front().ItemType == LaunchObject)
        LOPropertySheet(selected.front(), LOSheetPurpose::Edit).DoModal(::GetParent(list_));
    else if (selected.size() == 1)
        ItemPropertySheet(selected.front()).DoModal(::GetParent(list_));
}

void ShellViewListCtrl::CreateNewLaunchObject()
{
    Logging::OutToLogFile("ShellViewListCtrl::CreateNewLaunchObject()\n");
    if (folderItem_.IsSystemFolder() || folderItem_.IsMappedFolder()) {
        ShowErrorPrompt(::GetParent(list_), CommonText(IDS_ERR_LAUNCH_OBJECT_NOT_ALLOWED));
        return;
    }
    if (!SearchModuleReachable())
        return;
    CacheItem launchObject;
    launchObject.Name = launchObject.OriginalName = CommonText(IDS_TYPE_LAUNCH_OBJECT);
    launchObject.Type = CommonText(IDS_TYPE_LAUNCH_OBJECT);
    launchObject.ItemType = LaunchObject;
    launchObject.FolderPath = context_.folderPath;
    // The wizard makes it through the search module, which adds its row to every open view.
    LOPropertySheet wizard(launchObject, LOSheetPurpose::Create);
    wizard.DoModal(::GetParent(list_));
    if (!wizard.Created())
        return;
    ShowItemMadeHere(wizard.Edited());
    ApplyRows();
}
