#include "transfer/ns_drop_target.h"

#include "cache/cache.h"
#include "com/com_boundary.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "transfer/copy_move.h"
#include "transfer/dropped_items.h"

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

DropPlaces NSDropTarget::PlacesAt(POINTL point) const
{
    DropPlaces places;
    places.targetPath = TargetPathAt(point);
    places.targetInFullBrowser = !list_ || list_->fullBrowser;
    if (items_) {
        places.sourcePath = items_->SourceFolderPath;
        try {
            Cache source(CacheFolderOnly, places.sourcePath);
            CacheItem folder;
            source.GetOpenedFolderData(folder);
            places.sourceIsSystemFolder = folder.IsSystemFolder();
        } catch (const RegKeyException& error) {
            LogRegKeyException("NSDropTarget::CheckEffect() -Getting source folder data:", error);
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
    effect_ = items_ ? ChooseDropEffect(PlacesAt(point), keyState, allowed) : DROPEFFECT_NONE;
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
        effect_ = DROPEFFECT_NONE;
        return S_OK;
    });
}

STDMETHODIMP NSDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    return ComBoundary("NSDropTarget::Drop", [&]() -> HRESULT {
        if (!effect)
            return E_INVALIDARG;
        // Read again: a drop may come without DragEnter (a paste, the shell's own calls).
        items_.reset();
        StreamToDataSource(data);
        const DWORD chosen = CheckEffect(keyState, point, *effect);
        *effect = DROPEFFECT_NONE;
        if (items_ && chosen != DROPEFFECT_NONE) {
            const std::string targetPath = TargetPathAt(point);
            LogDrop(targetPath, point);
            if (CopyMove(chosen, targetPath))
                *effect = chosen;
        }
        items_.reset();
        return S_OK;
    });
}

DWORD NSDropTarget::Paste(IDataObject& data, bool cut)
{
    items_.reset();
    if (!StreamToDataSource(&data))
        return DROPEFFECT_NONE;
    const POINTL nowhere{};
    const DWORD effect = ChoosePasteEffect(PlacesAt(nowhere), cut);
    DWORD done = DROPEFFECT_NONE;
    if (effect != DROPEFFECT_NONE) {
        LogDrop(folderPath_, nowhere);
        if (CopyMove(effect, folderPath_))
            done = effect;
    }
    items_.reset();
    return done;
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

bool NSDropTarget::CopyMove(DWORD effect, const std::string& targetPath)
{
    CopyMoveTarget target;
    target.path = targetPath;
    if (list_) {
        target.server = list_->server.Get();
        target.clientId = list_->clientId;
    }
    return CopyMoveItems(*items_, effect, target);
}
