#pragma once

#include <windows.h>
#include <shlobj.h>

// The clipboard commands of the tree's context menu when no view takes them: the folder chosen
// in the tree is cut or copied, or the clipboard is pasted into it, by the folder operations
// manager, which also brings the tree's cut marks up to date. browser is the Explorer window's;
// folder is the folder's identifier from the namespace root. False when nothing was done.
bool CutFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder);
bool CopyFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder);
bool PasteIntoFolderFromTree(IShellBrowser& browser, LPCITEMIDLIST folder);
