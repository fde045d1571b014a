#pragma once

#include "item/item.h"
#include "nsinterfaces.h"
#include "pidl/pidl_mgr.h"
#include "transfer/ns_drop_target.h"

#include <windows.h>

#include <string>
#include <vector>

class ShellFolder;

// One operation on items of the namespace, for the view's list and the context menus:
// deleting a selection, putting it on the clipboard (copied or cut), pasting the clipboard
// into a folder, cancelling a cut. Every change is the search module's.
class ShellFolderMgr {
public:
    ShellFolderMgr();
    ~ShellFolderMgr();
    ShellFolderMgr(const ShellFolderMgr&) = delete;
    ShellFolderMgr& operator=(const ShellFolderMgr&) = delete;

    // Deletes items of the folder holder (whose own item is holderItem), asking once for
    // several items unless noConfirm. The items are taken by value: the search module's
    // callbacks change the caller's rows while it deletes. server may be null.
    void DeleteItems(std::vector<CacheItem> items, ShellFolder& holder, const CacheItem& holderItem, LONG client,
                     bool noConfirm, INotifyNSServer* server = nullptr);

    // True when the clipboard holds items of the namespace.
    bool CheckValidNSClipboard();

    // Puts items of the folder at folderPath (absolute identifier list folder, may be null) on
    // the clipboard, to be moved by the paste when cut. list is the window that shows them
    // dimmed while the cut is pending. False when refused: folders that stay in place (the
    // folder of all discs, the root, a client's public folders) do not travel.
    bool PutOnClipboard(const std::string& folderPath, LPCITEMIDLIST folder, std::vector<CacheItem> items, bool cut,
                        HWND list = nullptr);
    // The same for a folder chosen in Explorer's tree (its absolute identifier list), under the
    // same rule.
    bool PutFolderOnClipboard(LPCITEMIDLIST folder, bool cut);

    // Pastes the clipboard into the folder target leads to (from the namespace root, null for
    // the root): moved after a cut, which is then taken off the clipboard once anything moved,
    // else copied. list is the view's list that asks, if any. The effect carried out
    // (DROPEFFECT_NONE when nothing was done).
    DWORD Paste(LPCITEMIDLIST target, const DropTargetList* list = nullptr);

    // Forgets a pending cut of ours; the clipboard is emptied only while it still holds it.
    void CancelCut();

    // True while item (of the folder at folderPath) is part of a cut of ours that waits on the
    // clipboard: such items are drawn dimmed.
    static bool IsCutPending(const std::string& folderPath, const std::string& name);
};
