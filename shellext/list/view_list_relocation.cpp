// A disc that is no longer where the list has it: the same disc found on another server takes
// its place, for this once or for good.
#include "view_list_ctrl.h"

#include "disc_relocation.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/ansi_text.h"
#include "text/text_format.h"
#include "ui/prompt.h"

ShellViewListCtrl::RelocationAnswer ShellViewListCtrl::RelocateDisc(CacheItem& item)
{
    DiscRelocationDialog dialog(item, RelocationCandidates(item));
    const INT_PTR answer = dialog.DoModal(::GetParent(list_));
    if (answer == DiscRelocationDialog::kNoCandidates)
        return RelocationAnswer::NoCandidate;
    if (answer != IDOK)
        return RelocationAnswer::Cancelled;
    CacheItem moved(item);
    moved.Location = dialog.Chosen().Location;
    if (dialog.KeepsChoice() && !ReplaceStoredDisc(item, moved)) {
        ShowErrorPrompt(::GetParent(list_), FormatText(CommonText(IDS_ERR_ITEM_NOT_SAVED_FMT), item.Name));
        return RelocationAnswer::Cancelled;
    }
    // The row shows where the disc is now (the search module's own news of a replacement may
    // have come first).
    RemoveItem(item);
    AddItem(moved);
    item = moved;
    return RelocationAnswer::Relocated;
}

bool ShellViewListCtrl::ReplaceStoredDisc(const CacheItem& old, const CacheItem& moved)
{
    if (!SearchModuleReachable())
        return false;
    CacheItem stored(old);
    stored.GetMoreData();
    CacheItem replacement(stored);
    replacement.Location = moved.Location;
    if (!replacement.InitStruct() || !stored.InitStruct()) {
        Logging::OutToLogFile("Could not initiate cache item struct.\n");
        return false;
    }
    const std::wstring folderPath = WideFromAnsi(context_.folderPath);
    HRESULT result = context_.server->CreateItem(0, folderPath.c_str(), replacement.Record);
    if (result != S_OK) {
        Logging::OutToLogFile("Favorite could not be added through interface method.\n");
        ReportIfSearchModuleGone(result);
        return false;
    }
    if (!replacement.SaveMoreData())
        LogFormatted("ShellViewListCtrl::ReplaceStoredDisc() - the settings of %s stay with the old disc\n",
                     replacement.Name);
    result = context_.server->DeleteItem(0, folderPath.c_str(), stored.Record);
    if (result != S_OK)
        Logging::OutToLogFile("Favorite could not be deleted through interface method.\n");
    return true;
}
