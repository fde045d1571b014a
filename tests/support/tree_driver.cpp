#include "support/tree_driver.h"

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    char text[512] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

UINT TreeItemOverlay(HWND tree, HTREEITEM item)
{
    TVITEMA data{};
    data.mask = TVIF_STATE;
    data.hItem = item;
    data.stateMask = TVIS_OVERLAYMASK;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return (data.state & TVIS_OVERLAYMASK) >> 8;
}

std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent)
{
    std::vector<HTREEITEM> children;
    HTREEITEM child = parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
    for (; child; child = TreeView_GetNextSibling(tree, child))
        children.push_back(child);
    return children;
}

std::vector<std::string> TreeChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    for (HTREEITEM child : TreeChildren(tree, parent))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

HTREEITEM FindTreeItem(HWND tree, const std::string& start, HTREEITEM parent)
{
    for (HTREEITEM child : TreeChildren(tree, parent)) {
        if (TreeItemText(tree, child).rfind(start, 0) == 0)
            return child;
        if (HTREEITEM found = FindTreeItem(tree, start, child))
            return found;
    }
    return nullptr;
}

bool ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick)
{
    if (!item)
        return false;
    TreeView_EnsureVisible(tree, item);
    RECT rect{};
    if (!TreeView_GetItemRect(tree, item, &rect, TRUE))
        return false;
    const POINT point{rect.left + 3, (rect.top + rect.bottom) / 2};
    POINT screen = point;
    ::ClientToScreen(tree, &screen);
    // The tree finds the item under the position of the click's message, which is the pointer's.
    ::SetCursorPos(screen.x, screen.y);
    // The pointer's move reaches the tree as input of its own. Had it come between the button
    // going down and up, the tree would have taken it for a drag and seen no click.
    ::Sleep(150);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(tree, WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        ::PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageA(tree, WM_LBUTTONUP, 0, at);
        return true;
    }
    for (int i = 0; i < 200; ++i) {
        if (TreeView_GetSelection(tree) == item)
            return true;
        ::Sleep(25);
    }
    return false;
}
