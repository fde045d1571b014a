#pragma once

#include <shlobj.h>

// The order of two identifier lists of the namespace (as IShellFolder::CompareIDs answers it:
// negative, 0 or positive in the code of a success HRESULT). Lists are compared level by
// level: at each level folders of a lower type come first, then names without regard to case;
// a list that ends first comes first. A damaged list gives E_INVALIDARG.
HRESULT CompareIdentifierLists(LPCITEMIDLIST first, LPCITEMIDLIST second);
