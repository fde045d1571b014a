#include "explorer_tree.h"

HWND ExplorerTree(IShellBrowser& browser)
{
    HWND tree = nullptr;
    return SUCCEEDED(browser.GetControlWindow(FCW_TREE, &tree)) ? tree : nullptr;
}

HTREEITEM ChosenTreeItem(HWND tree)
{
    const HTREEITEM highlighted = TreeView_GetNextItem(tree, nullptr, TVGN_DROPHILITE);
    return highlighted ? highlighted : TreeView_GetNextItem(tree, nullptr, TVGN_CARET);
}

bool EditChosenTreeLabel(IShellBrowser& browser)
{
    const HWND tree = ExplorerTree(browser);
    const HTREEITEM item = tree ? ChosenTreeItem(tree) : nullptr;
    if (!item)
        return false;
    ::SetFocus(tree);   // the tree edits labels only while it has the focus
    return TreeView_EditLabel(tree, item) != nullptr;
}
