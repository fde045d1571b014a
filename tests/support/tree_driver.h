#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// Reads and clicks a tree control of another thread of this process, as a user would.

std::string TreeItemText(HWND tree, HTREEITEM item);
// The overlay image index of an item (0 for none).
UINT TreeItemOverlay(HWND tree, HTREEITEM item);
std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent);
std::vector<std::string> TreeChildTexts(HWND tree, HTREEITEM parent);
// The first item, depth first, whose text starts with start; null when there is none.
HTREEITEM FindTreeItem(HWND tree, const std::string& start, HTREEITEM parent = TVI_ROOT);
// Moves the pointer onto the item's label and presses the button there. A single click returns
// once the tree has selected the item (which it does after telling its owner of the click);
// false when it did not. A double click returns once the messages are posted.
bool ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick = false);
