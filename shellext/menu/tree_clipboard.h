#pragma once

#include <windows.h>
#include <shlobj.h>

// The clipboard commands of the tree's context menu when no view takes them: the folder chosen
// in the tree is cut or copied, or the clipboard is pasted into it, by the folder operations
// manager, and the tree's cut marks follow. browser is the Explorer window's. False when
// nothing was done.
// folder: the folder's absolute identifier list.
bool CutFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder);
bool CopyFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder);
// folder: the folder's identifier list from the namespace root.
bool PasteIntoFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder);
