#include "transfer/ns_drop_target.h"

#include "cache/cache.h"
#include "com/com_boundary.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "transfer/copy_move.h"
#include "transfer/drag_menu.h"
#include "transfer/dropped_items.h"
#include "transfer/fixed_items.h"
#include "transfer/transfer_items.h"
#include "ui/prompt.h"

#include <new>

namespace {

// The namespace path of the folder a target identifier list stands for: the folder itself, or
// the folder of an item that is not a folder.
std::string FolderPathOf(LPCITEMIDLIST target, CacheItem& item)
{
    if (!target || PidlMgr::GetSize(target) <= sizeof(USHORT) || !PidlMgr::IsValid(target))
        return std::string();
    PidlMgr::PidlToCacheItem(target, item);
    std::string path;
    if (PidlMgr::IsFolderItem(target))
        PidlMgr::GetItemFullName(target, path);
    else
        PidlMgr::GetItemPath(target, path);
    return path;
}

std::string Joined(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : folder + "\\" + name;
}

// A folder's own record as the cache has it; an empty item when it cannot be read.
CacheItem FolderRecord(const std::string& path, const char* logPrefix)
{
    CacheItem folder;
    try {
        Cache cache(CacheFolderOnly, path);
        cache.GetOpenedFolderData(folder);
    } catch (const RegKeyException& error) {
        LogRegKeyException(logPrefix, error);
    }
    return folder;
}

} // namespace

NSDropTarget::NSDropTarget(LPCITEMIDLIST target)
{
    if (target) {
        target_.reset(PidlMgr().Copy(target));
        if (!target_)
            throw std::bad_alloc();
    }
    folderPath_ = FolderPathOf(target_.get(), targetItem_);
}

NSDropTarget::NSDropTarget(LPCITEMIDLIST target, DropTargetList list) : NSDropTarget(target)
{
    list_ = std::move(list);
}

std::string NSDropTarget::TargetPathAt(POINTL point) const
{
    if (list_ && list_->folderAt) {
        if (const std::optional<CacheItem> folder = list_->folderAt(point))
            return Joined(folderPath_, folder->Name);
    }
    return folderPath_;
}

DropPlaces NSDropTarget::PlacesFor(const std::string& targetPath) const
{
    DropPlaces places;
    places.targetPath = targetPath;
    places.targetInFullBrowser = !list_ || list_->fullBrowser;
    const CacheItem target = FolderRecord(targetPath, "NSDropTarget::CheckEffect() -Getting target folder data:");
    places.targetTakesItems = TakesItems(target);
    if (items_) {
        places.sourcePath = items_->SourceFolderPath;
        const CacheItem source =
            FolderRecord(places.sourcePath, "NSDropTarget::CheckEffect() -Getting source folder data:");
        places.sourceIsSystemFolder = source.IsSystemFolder();
        for (const TransferItem& transferred : items_->Items) {
            const CacheItem item = ToCacheItem(transferred);
            places.itemsMayTravel = places.itemsMayTravel && !StaysInPlace(item);
            places.folderAmongItems = places.folderAmongItems || item.IsFolder();
        }
    }
    return places;
}

bool NSDropTarget::StreamToDataSource(IDataObject* data)
{
    if (!items_ && data)
        items_ = ReadDroppedItems(*data);
    return items_.has_value();
}

DWORD NSDropTarget::CheckEffect(DWORD keyState, POINTL point, DWORD allowed)
{
    dragKeys_ = keyState;
    effect_ = items_ ? ChooseDropEffect(PlacesFor(TargetPathAt(point)), keyState, allowed) : DROPEFFECT_NONE;
    return effect_;
}

STDMETHODIMP NSDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    return ComBoundary("NSDropTarget::DragEnter", [&]() -> HRESULT {
        Logging::OutToLogFile("NSDropTarget::DragEnter\n");
        if (!effect)
            return E_INVALIDARG;
        items_.reset();
        StreamToDataSource(data);
        *effect = CheckEffect(keyState, point, *effect);
        return S_OK;
    });
}

STDMETHODIMP NSDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    return ComBoundary("NSDropTarget::DragOver", [&]() -> HRESULT {
        if (!effect)
            return E_INVALIDARG;
        *effect = CheckEffect(keyState, point, *effect);
        return S_OK;
    });
}

STDMETHODIMP NSDropTarget::DragLeave()
{
    return ComBoundary("NSDropTarget::DragLeave", [&]() -> HRESULT {
        Logging::OutToLogFile("NSDropTarget::DragLeave\n");
        items_.reset();
        dragKeys_.reset();
        effect_ = DROPEFFECT_NONE;
        return S_OK;
    });
}

STDMETHODIMP NSDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    return ComBoundary("NSDropTarget::Drop", [&]() -> HRESULT {
        if (!effect)
            return E_INVALIDARG;
        // The buttons are up by the time of the drop: which one was held is what the drag last
        // saw, while Ctrl counts as it is now.
        const DWORD buttons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
        const DWORD keys = keyState | (dragKeys_.value_or(0) & buttons);
        dragKeys_.reset();
        // Read again: a drop may come without DragEnter.
        items_.reset();
        StreamToDataSource(data);
        const DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (items_) {
            const DropPlaces places = PlacesFor(TargetPathAt(point));
            const DWORD chosen = ChooseOnDrop(places, keys, point, allowed);
            if (chosen != DROPEFFECT_NONE) {
                LogDrop(places.targetPath, point);
                *effect = CopyMove(chosen, places.targetPath);
            }
        }
        items_.reset();
        effect_ = DROPEFFECT_NONE;
        return S_OK;
    });
}

DWORD NSDropTarget::ChooseOnDrop(const DropPlaces& places, DWORD keyState, POINTL point, DWORD allowed)
{
    if (!places.targetTakesItems) {
        ShowRefusal();
        return DROPEFFECT_NONE;
    }
    const DWORD preferred = ChooseDropEffect(places, keyState, allowed);
    if (!(keyState & MK_RBUTTON))
        return preferred;
    const HWND owner = list_ && list_->window ? list_->window : ::GetActiveWindow();
    return ChooseFromDragMenu(owner, point, PossibleDropEffects(places, allowed), preferred);
}

DWORD NSDropTarget::Paste(IDataObject& data, bool cut)
{
    items_.reset();
    if (!StreamToDataSource(&data))
        return DROPEFFECT_NONE;
    const DropPlaces places = PlacesFor(folderPath_);
    DWORD done = DROPEFFECT_NONE;
    if (!places.targetTakesItems) {
        ShowRefusal();
    } else if (const DWORD effect = ChoosePasteEffect(places, cut); effect != DROPEFFECT_NONE) {
        LogDrop(folderPath_, POINTL{});
        done = CopyMove(effect, folderPath_);
    }
    items_.reset();
    return done;
}

// The folder takes nothing: one answer for all that came, named by the first.
void NSDropTarget::ShowRefusal() const
{
    const std::string name = items_->Items.empty() ? std::string() : items_->Items.front().Name;
    ShowPrompt(::GetActiveWindow(), FormatText(CommonText(IDS_ERR_PASTE_ACCESS_DENIED_FMT), name),
               CommonText(IDS_CAPTION_ERROR_PASTING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void NSDropTarget::LogDrop(const std::string& targetPath, POINTL point) const
{
    Logging::OutToLogFile("NSDropTarget::Drop :\n");
    if (items_->Items.size() == 1)
        LogFormatted("\tSourceItem name :%s SourceItem type :%d", items_->Items.front().Name,
                     items_->Items.front().ItemType);
    else
        Logging::OutToLogFile("\tMultiple Selection Source");
    LogFormatted("\n\tSource Context :%s\n", items_->SourceFolderPath);
    CacheItem target = targetItem_;
    if (list_ && list_->folderAt) {
        if (const std::optional<CacheItem> folder = list_->folderAt(point))
            target = *folder;
    }
    LogFormatted("\tTargetItem name :%s TargetItem type :%d", target.Name, static_cast<int>(target.ItemType));
    LogFormatted("\n\tTarget Context :%s\n", targetPath);
}

DWORD NSDropTarget::CopyMove(DWORD effect, const std::string& targetPath)
{
    CopyMoveTarget target;
    target.path = targetPath;
    if (list_) {
        target.server = list_->server.Get();
        target.clientId = list_->clientId;
    }
    return CopyMoveItems(*items_, effect, target);
}
