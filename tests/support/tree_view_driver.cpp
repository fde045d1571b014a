#include "support/tree_view_driver.h"

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

std::vector<HTREEITEM> TreeItemChildren(HWND tree, HTREEITEM parent)
{
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        children.push_back(child);
    return children;
}

HTREEITEM FindTreeItem(HWND tree, const std::string& start, HTREEITEM parent)
{
    for (HTREEITEM child : TreeItemChildren(tree, parent)) {
        if (TreeItemText(tree, child).rfind(start, 0) == 0)
            return child;
        if (HTREEITEM found = FindTreeItem(tree, start, child))
            return found;
    }
    return nullptr;
}

bool ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick)
{
    TreeView_EnsureVisible(tree, item);
    RECT rect{};
    if (!TreeView_GetItemRect(tree, item, &rect, TRUE))
        return false;
    POINT point{rect.left + 3, (rect.top + rect.bottom) / 2};
    POINT screen = point;
    ::ClientToScreen(tree, &screen);
    ::SetCursorPos(screen.x, screen.y);
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
