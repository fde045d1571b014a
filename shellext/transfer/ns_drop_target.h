#pragma once

#include "com/com_object.h"
#include "item/item.h"
#include "nsinterfaces.h"
#include "pidl/pidl_mgr.h"
#include "transfer/drop_effect.h"
#include "transfer/item_list_codec.h"

#include <ole2.h>
#include <wrl/client.h>

#include <functional>
#include <optional>
#include <string>

// The view's list as a drop target sees it.
struct DropTargetList {
    // False outside a full Explorer window: such a list takes no drops.
    bool fullBrowser = true;
    // The list's window, which owns the menu of a drop made with the right button.
    HWND window = nullptr;
    Microsoft::WRL::ComPtr<INotifyNSServer> server;
    LONG clientId = 0;
    // The folder row under the pointer (screen coordinates), which then receives the drop;
    // none drops into the list's own folder.
    std::function<std::optional<CacheItem>(POINTL)> folderAt;
};

// A folder of the namespace (or a folder item in it) as the place where items are dropped or
// pasted: it reads the dragged items, tells the source what a drop would do, and has the search
// module carry it out. A drop made with the right button asks what to do first. The folder of
// all discs and a client's public folders refuse what comes, and say so.
class NSDropTarget final : public ComObject<NSDropTarget, IDropTarget> {
public:
    // target is an identifier list (from the namespace root or from the desktop) whose last
    // item is the folder that receives the drop, or an item of it that is no folder; null, or
    // a list whose last item is not the namespace's, stands for the root. Copied.
    explicit NSDropTarget(LPCITEMIDLIST target);
    // The target of a view's list, whose folder is target.
    NSDropTarget(LPCITEMIDLIST target, DropTargetList list);

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    // Pastes the items of data: moved after a cut, copied after a copy, whatever keys are held.
    // The effect carried out (DROPEFFECT_NONE when nothing was done).
    DWORD Paste(IDataObject& data, bool cut);

    // The namespace path that receives items dropped at point.
    std::string TargetPathAt(POINTL point) const;

private:
    // Reads the items of data when they are not read yet; false for data that carries none.
    bool StreamToDataSource(IDataObject* data);
    DWORD CheckEffect(DWORD keyState, POINTL point, DWORD allowed);
    // Where the items read come from and what they are, and where they would go.
    DropPlaces PlacesFor(const std::string& targetPath) const;
    // The effect of a drop: with the right button, the one the user chooses from the menu.
    DWORD ChooseOnDrop(const DropPlaces& places, DWORD keyState, POINTL point, DWORD allowed);
    void ShowRefusal() const;
    void LogDrop(const std::string& targetPath, POINTL point) const;
    // The effect carried out.
    DWORD CopyMove(DWORD effect, const std::string& targetPath);

    ScopedPidl target_;
    std::string folderPath_;
    CacheItem targetItem_;
    std::optional<DropTargetList> list_;
    DWORD effect_ = DROPEFFECT_NONE;
    // The keys and buttons held when the drag last moved: at the drop the buttons are up.
    std::optional<DWORD> dragKeys_;
    std::optional<TransferItemList> items_;
};
