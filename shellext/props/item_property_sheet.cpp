#include "item_property_sheet.h"

#include "cache/cache.h"
#include "item_facts.h"
#include "item_general_page.h"
#include "item_mapping_page.h"
#include "logging/logging.h"
#include "module_instance.h"
#include "multi_sel_general_page.h"
#include "ns_result_codes.h"
#include "public/public_folders.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "root_folder_publication.h"
#include "search_module_access.h"
#include "search_module_item_call.h"
#include "settings/auxiliary.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/wait_cursor.h"

ItemPropertySheet::ItemPropertySheet(const CacheItem& item, ItemSheetPurpose purpose)
    : PropertySheetDialog(item.Name, g_hShellvueInstance, PSH_PROPTITLE), stored_(item), purpose_(purpose)
{
    if (purpose_ == ItemSheetPurpose::Edit)
        stored_.GetMoreData();
    edited_ = stored_;
    const ListItemType holder = HoldingFolderType(stored_.FolderPath);
    insideAutoMapFolder_ = IsAutoMapFolderType(holder);
    // The discs of the folder of all discs are the searches' own: the sheet only shows them.
    readOnly_ = holder == SystemFolder;
    if (purpose_ == ItemSheetPurpose::Edit)
        firstPage_ = &AddPage(std::make_unique<ItemGeneralPage>(*this));
    if (!readOnly_ && (stored_.IsMedia() || IsAutoMapFolderType(stored_.ItemType))) {
        PropertyPage& mapping = AddPage(std::make_unique<ItemMappingPage>(*this));
        if (!firstPage_)
            firstPage_ = &mapping;
    }
}

ItemPropertySheet::ItemPropertySheet(const std::vector<CacheItem>& items)
    : PropertySheetDialog(FormatText(CommonText(IDS_STATUS_SELECTED_COUNT_FMT), static_cast<int>(items.size())),
                          g_hShellvueInstance, PSH_PROPTITLE),
      purpose_(ItemSheetPurpose::Edit), readOnly_(true)
{
    stored_.ItemType = MultipleSelection;
    edited_ = stored_;
    AddPage(std::make_unique<MultiSelGeneralPage>(items));
}

bool ItemPropertySheet::Apply(const PropertyPage& page) { return &page != firstPage_ || IsItemOK(); }

bool ItemPropertySheet::OffersPublicFolder() const
{
    const bool ownFolder = stored_.ItemType == UserFolder || stored_.ItemType == MappedFolder;
    return ownFolder && stored_.FolderPath.empty() && AuxiliaryFunctions::GetUser() == ItemCreatorServer;
}

bool ItemPropertySheet::IsItemOK()
{
    Logging::OutToLogFile("ItemPropertySheet::IsItemOK()\n");
    if (purpose_ == ItemSheetPurpose::NewItemSettings) {
        committed_ = true;
        return true;
    }
    const WaitCursor wait;
    const HWND owner = Window();
    const bool set1Changed = !edited_.HasSameAttributeSet1(&stored_);
    const bool set2Changed = !edited_.HasSameAttributeSet2(&stored_);
    const bool publicChanged = edited_.PublicFolder != stored_.PublicFolder;
    const bool renamed = edited_.Name != stored_.Name;

    if (set1Changed) {
        if (!UpdateThroughSearchModule(owner))
            return false;
        if (renamed && !edited_.IsMedia())
            edited_.OriginalName = edited_.Name;
        // What the search module stored stays stored: a retry after a later failure does not
        // ask for it again.
        TakeDataSet1(stored_, edited_);
    }
    if (!UpdatePublication(publicChanged, renamed))
        return false;
    if (set2Changed) {
        if (!edited_.SaveMoreData()) {
            ShowNotSaved(owner);
            return false;
        }
        if (!insideAutoMapFolder_ && edited_.AutoMapping != 0 && !edited_.IsFolder())
            ShowPrompt(owner, CommonText(IDS_INFO_MAPPING_ON_ACCESS), ProductCaption(), MB_OK | MB_ICONINFORMATION);
    }
    // The views show a shared folder once its flag is stored; nothing is lost when they cannot
    // be told.
    if (publicChanged)
        SendUpdate(edited_);
    stored_ = edited_;
    committed_ = true;
    return true;
}

HRESULT ItemPropertySheet::SendUpdate(const CacheItem& item) const
{
    return SendToSearchModule(SearchModuleItemCall::Update, stored_.FolderPath, item);
}

bool ItemPropertySheet::UpdateThroughSearchModule(HWND owner)
{
    CacheItem sent(edited_);
    if (edited_.Name != stored_.Name)
        sent.Name = edited_.Name + "|" + stored_.Name;
    const RootFolderPublication publication(stored_, stored_.FolderPath);
    const HRESULT result = SendUpdate(sent);
    if (result == NSS_S_NAME_EXISTS) {
        ShowPrompt(owner, FormatText(CommonText(IDS_ERR_RENAME_NAME_EXISTS_FMT), stored_.Name),
                   CommonText(IDS_CAPTION_ERROR_RENAMING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
        return false;
    }
    if (result != S_OK) {
        if (IsSearchModuleGone(result))
            ShowSearchModuleUnreachable(owner);
        else
            ShowNotSaved(owner);
        return false;
    }
    if (edited_.Name != stored_.Name)
        publication.Renamed(edited_.Name);
    return true;
}

bool ItemPropertySheet::UpdatePublication(bool publicChanged, bool renamed)
{
    const bool administrator = AuxiliaryFunctions::GetUser() == ItemCreatorServer;
    // A rename has moved the export along already.
    if (!publicChanged && !(edited_.PublicFolder && administrator && !renamed))
        return true;
    const bool exported = PublicFolderMgr().ExportOrRemoveFolder(edited_);
    // A folder that could not be made public stays private until the user tries again; one that
    // could not be withdrawn is private for this user all the same (the export told why).
    return exported || !edited_.PublicFolder;
}

void ItemPropertySheet::ShowNotSaved(HWND owner) const
{
    ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_ITEM_NOT_SAVED_FMT), stored_.Name));
}
