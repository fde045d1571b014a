#include "transfer/item_replacement.h"

#include "cache/cache.h"
#include "logging/logging.h"
#include "new_item_names.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "transfer/fixed_items.h"
#include "ui/prompt.h"

namespace {

// A search module that takes no name at all must not keep us asking for ever.
constexpr int kMostAsideNames = 100;

std::string FullPath(const CacheItem& item)
{
    return item.FolderPath.empty() ? item.Name : item.FolderPath + "\\" + item.Name;
}

// The item of the folder that holds the name, as the cache has it: any item of that name, or
// for a disc the same disc (other discs of that name may stand beside it).
std::optional<CacheItem> ItemInTheWay(const TakenName& taken)
{
    Cache folder(CacheReadFolder, taken.folderPath);
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
        const CacheItem* item = *it;
        if (!item || !EqualsNoCase(item->Name, taken.name) || item->IsMedia() != taken.newcomer.IsMedia())
            continue;
        if (item->IsMedia() &&
            (item->ItemType != taken.newcomer.ItemType || !EqualsNoCase(item->Location, taken.newcomer.Location)))
            continue;
        return *item;
    }
    return std::nullopt;
}

// Whether the item there is the source itself or a folder that holds it.
bool HoldsSource(const CacheItem& there, const CacheItem& source)
{
    if (there.IsFolder())
        return AuxiliaryFunctions::IsSubpath(FullPath(there), FullPath(source));
    return EqualsNoCase(FullPath(there), FullPath(source)) && EqualsNoCase(there.Location, source.Location);
}

HRESULT Rename(const TakenName& taken, const CacheItem& item, const std::string& from, const std::string& to)
{
    // "new|old" names the item by its old name whatever kind it is.
    CacheItem renamed(item);
    renamed.Name = to + "|" + from;
    if (!renamed.InitStruct()) {
        Logging::OutToLogFile("InitStruct() - UpdateItem()\n");
        return E_OUTOFMEMORY;
    }
    return taken.server.UpdateItem(taken.clientId, WideFromAnsi(taken.folderPath).c_str(), renamed.Record);
}

// Gives the item there a free name of its own; that name, none when it cannot be had.
std::optional<std::string> SetAside(const TakenName& taken, const CacheItem& there)
{
    const std::string base = FormatText(CommonText(IDS_REPLACED_ITEM_ASIDE_FMT), there.Name);
    std::string aside = base;
    for (int attempt = 0; attempt < kMostAsideNames; ++attempt) {
        const HRESULT result = Rename(taken, there, there.Name, aside);
        if (result == S_OK)
            return aside;
        if (result != NSS_S_NAME_EXISTS) {
            LogFailedServerCall("NSDropTarget::CopyMove", "UpdateItem()", result);
            return std::nullopt;
        }
        aside = NextFreeName(base, aside);
    }
    return std::nullopt;
}

HRESULT Replace(const TakenName& taken, const CacheItem& there, const std::function<HRESULT()>& place)
{
    const std::optional<std::string> aside = SetAside(taken, there);
    if (!aside)
        return NSS_S_COPY_MOVE_FAILED;
    const HRESULT placed = place();
    CacheItem setAside(there);
    setAside.Name = *aside;
    if (!setAside.IsMedia())
        setAside.OriginalName = *aside;
    if (placed != S_OK) {
        const HRESULT back = Rename(taken, setAside, *aside, there.Name);
        if (back != S_OK)
            LogFailedServerCall("NSDropTarget::CopyMove", "UpdateItem()", back);
        return placed;
    }
    const HRESULT deleted = setAside.InitStruct()
                                ? taken.server.DeleteItem(taken.clientId, WideFromAnsi(taken.folderPath).c_str(),
                                                          setAside.Record)
                                : E_OUTOFMEMORY;
    // Not deleted, it stays under its new name: nothing is lost.
    if (deleted != S_OK)
        LogFailedServerCall("NSDropTarget::CopyMove", "DeleteItem()", deleted);
    return placed;
}

void ShowRefusal(const TakenName& taken, UINT textId, UINT captionId)
{
    ShowPrompt(taken.owner, FormatText(CommonText(textId), taken.name), CommonText(captionId),
               MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

} // namespace

std::optional<HRESULT> OfferToReplace(const TakenName& taken, const std::function<HRESULT()>& place)
{
    if (ShowPrompt(taken.owner, FormatText(CommonText(IDS_ASK_REPLACE_ITEM_FMT), taken.name),
                   CommonText(IDS_CAPTION_CONFIRM_REPLACE), MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) != IDYES)
        return std::nullopt;
    const std::optional<CacheItem> there = ItemInTheWay(taken);
    if (!there)
        return place();   // gone meanwhile: the name is free
    if (HoldsSource(*there, taken.source)) {
        ShowRefusal(taken, IDS_ERR_REPLACE_HOLDS_SOURCE_FMT, taken.refusalCaption);
        return std::nullopt;
    }
    if (StaysInPlace(*there)) {
        ShowRefusal(taken, IDS_ERR_PASTE_ACCESS_DENIED_FMT, IDS_CAPTION_ERROR_PASTING);
        return std::nullopt;
    }
    return Replace(taken, *there, place);
}
