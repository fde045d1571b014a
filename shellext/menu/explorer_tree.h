#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

// Explorer's tree pane as the namespace's commands reach it.

// The tree of the Explorer window; null when it shows none or cannot say.
HWND ExplorerTree(IShellBrowser& browser);

// The tree item a command is meant for: the one a context menu was opened on (drop-highlighted
// while the menu shows), else the selected one; null when there is none.
HTREEITEM ChosenTreeItem(HWND tree);

// Starts label editing of that item, so that the user renames the folder in the tree; false
// without a tree or an item.
bool EditChosenTreeLabel(IShellBrowser& browser);
