// The list's part in data transfer: the clipboard commands, drags started in the list, and the
// list as the place where items are dropped.
#include "view_list_ctrl.h"

#include "folder/shell_folder.h"
#include "folder/shell_folder_mgr.h"
#include "logging/logging.h"
#include "transfer/data_object.h"
#include "transfer/fixed_items.h"
#include "transfer/ns_drop_source.h"
#include "transfer/ns_drop_target.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;

std::string ShellViewListCtrl::FolderPathOf(const CacheItem& item) const
{
    return item.FolderPath.empty() ? context_.folderPath : item.FolderPath;
}

std::optional<CacheItem> ShellViewListCtrl::FolderAt(POINTL screen) const
{
    LVHITTESTINFO hit{};
    hit.pt = POINT{screen.x, screen.y};
    ::ScreenToClient(list_, &hit.pt);
    const int row = ListView_HitTest(list_, &hit);
    if (row < 0 || static_cast<size_t>(row) >= rows_.Size() || !(hit.flags & LVHT_ONITEM))
        return std::nullopt;
    const CacheItem& item = rows_.At(static_cast<size_t>(row)).item;
    if (!item.IsFolder())
        return std::nullopt;
    return item;
}

DropTargetList ShellViewListCtrl::DropTargetOwner() const
{
    DropTargetList owner;
    owner.fullBrowser = context_.fullBrowser;
    owner.window = list_;
    owner.server = context_.server;
    owner.clientId = context_.clientId;
    return owner;
}

void ShellViewListCtrl::RegisterAsDropTarget()
{
    if (!context_.folder)
        return;
    ole_ = std::make_unique<OleApartment>();
    if (!ole_->IsReady()) {
        LogFormatted("ShellViewListCtrl::ShellViewListCtrl() |         Failed calling OleInitialize\n\twith the HRESULT =%d\n",
                     static_cast<int>(ole_->Result()));
        ole_.reset();
        return;
    }
    DropTargetList owner = DropTargetOwner();
    owner.folderAt = [this](POINTL screen) { return FolderAt(screen); };
    const ComPtr<NSDropTarget> target = MakeComObject<NSDropTarget>(context_.folder->GetRelativePidl(), std::move(owner));
    const HRESULT result = ::RegisterDragDrop(list_, target.Get());
    if (FAILED(result)) {
        LogFormatted("ShellViewListCtrl::ShellViewListCtrl() |         Failed calling RegisterDragDrop\n\twith the HRESULT =%d\n",
                     static_cast<int>(result));
        return;
    }
    dropTargetRegistered_ = true;
}

void ShellViewListCtrl::BeginDrag()
{
    std::vector<CacheItem> selected = SelectedItems();
    if (selected.empty() || !context_.folder)
        return;
    // As on the clipboard: folders that stay in place are not dragged anywhere.
    if (std::any_of(selected.begin(), selected.end(), [](const CacheItem& item) { return StaysInPlace(item); }))
        return;
    for (CacheItem& item : selected)
        item.FolderPath = FolderPathOf(item);
    const ScopedPidl folder = context_.folder->GetAbsolutePidl();
    const ComPtr<DataObject> data = MakeComObject<DataObject>(context_.folderPath, folder.get(), std::move(selected));
    const ComPtr<NSDropSource> source = MakeComObject<NSDropSource>();
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    if (FAILED(result))
        LogFormatted("ShellViewListCtrl::BeginDrag() |         Failed calling DoDragDrop with the HRESULT=%d\n",
                     static_cast<int>(result));
}

void ShellViewListCtrl::CopySelection(bool cut)
{
    std::vector<CacheItem> selected = SelectedItems();
    if (selected.empty())
        return;
    for (CacheItem& item : selected)
        item.FolderPath = FolderPathOf(item);
    const ScopedPidl folder = context_.folder ? context_.folder->GetAbsolutePidl() : ScopedPidl();
    ShellFolderMgr().PutOnClipboard(context_.folderPath, folder.get(), std::move(selected), cut, list_);
}

ScopedPidl ShellViewListCtrl::PasteTarget(const CacheItem* folder) const
{
    if (!context_.folder)
        return nullptr;
    PidlMgr pidls;
    const LPCITEMIDLIST own = context_.folder->GetRelativePidl();
    if (!folder)
        return ScopedPidl(own ? pidls.Copy(own) : nullptr);   // null: the root
    ScopedPidl child(pidls.Create(*folder, context_.folderPath));
    if (!child)
        return nullptr;
    return ScopedPidl(own ? pidls.Concatenate(own, child.get()) : child.release());
}

// A folder that takes nothing is told of by the drop target.
void ShellViewListCtrl::PasteIntoFolder()
{
    if (!context_.folder)
        return;
    const ScopedPidl target = PasteTarget(nullptr);
    const DropTargetList owner = DropTargetOwner();
    ShellFolderMgr().Paste(target.get(), &owner);
}

void ShellViewListCtrl::PasteIntoSelectedFolder()
{
    const std::vector<CacheItem> selected = SelectedItems();
    if (selected.size() != 1 || !selected.front().IsFolder())
        return;
    const ScopedPidl target = PasteTarget(&selected.front());
    if (!target)
        return;
    const DropTargetList owner = DropTargetOwner();
    ShellFolderMgr().Paste(target.get(), &owner);
}

void ShellViewListCtrl::CancelCut() { ShellFolderMgr().CancelCut(); }
