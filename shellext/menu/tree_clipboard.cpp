#include "tree_clipboard.h"

#include "explorer_tree.h"
#include "folder/shell_folder_mgr.h"

#include <commctrl.h>

namespace {

void SetCutMark(HWND tree, HTREEITEM item, bool cut)
{
    TVITEMA state{};
    state.mask = TVIF_STATE;
    state.hItem = item;
    state.stateMask = TVIS_CUT;
    state.state = cut ? TVIS_CUT : 0;
    TreeView_SetItem(tree, &state);
}

// Only one cut waits on the clipboard: every earlier mark goes.
void ClearCutMarks(HWND tree, HTREEITEM first)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        if (TreeView_GetItemState(tree, item, TVIS_CUT) & TVIS_CUT)
            SetCutMark(tree, item, false);
        ClearCutMarks(tree, TreeView_GetChild(tree, item));
    }
}

void MarkChosenFolder(IShellBrowser& browser, bool cut)
{
    HWND tree = ExplorerTree(browser);
    if (!tree)
        return;
    ClearCutMarks(tree, TreeView_GetRoot(tree));
    const HTREEITEM chosen = ChosenTreeItem(tree);
    if (chosen && cut)
        SetCutMark(tree, chosen, true);
}

bool PutOnClipboard(IShellBrowser& browser, LPCITEMIDLIST folder, bool cut)
{
    if (!ShellFolderMgr().PutFolderOnClipboard(folder, cut))
        return false;
    MarkChosenFolder(browser, cut);
    return true;
}

} // namespace

bool CutFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder) { return PutOnClipboard(browser, folder, true); }

bool CopyFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder) { return PutOnClipboard(browser, folder, false); }

bool PasteIntoFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder)
{
    // Nothing pasted (refused, or failed): a cut stays marked, for it is still pending.
    if (ShellFolderMgr().Paste(folder) == DROPEFFECT_NONE)
        return false;
    if (HWND tree = ExplorerTree(browser))
        ClearCutMarks(tree, TreeView_GetRoot(tree));
    return true;
}
