#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// Reads and clicks a tree-view control of another thread, as a user would.

std::string TreeItemText(HWND tree, HTREEITEM item);
std::vector<HTREEITEM> TreeItemChildren(HWND tree, HTREEITEM parent);
// The item whose text starts with the given one, anywhere in the tree; null when none.
HTREEITEM FindTreeItem(HWND tree, const std::string& start, HTREEITEM parent = TVI_ROOT);
// A click on an item's label: the pointer moves there, the button goes down and up. Returns
// once the tree has selected the item, which it does after telling its owner (a double click
// returns at once).
bool ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick = false);
