// Until the folder operations manager is part of the library, the tree's own clipboard
// commands do nothing; they say so in the log and report that nothing was done.
#include "tree_clipboard.h"

#include "logging/logging.h"

namespace {

bool NotAvailable(const char* command)
{
    LogFormatted("%s | no folder operations manager to carry it out\n", command);
    return false;
}

} // namespace

bool CutFolderFromTree(IShellBrowser&, LPCITEMIDLIST) { return NotAvailable("CutFolderFromTree"); }

bool CopyFolderFromTree(IShellBrowser&, LPCITEMIDLIST) { return NotAvailable("CopyFolderFromTree"); }

bool PasteIntoFolderFromTree(IShellBrowser&, LPCITEMIDLIST) { return NotAvailable("PasteIntoFolderFromTree"); }
