#pragma once

#include <shlobj.h>

#include <string>

// The name Explorer shows for an item: with SHGDN_INFOLDER its name; with SHGDN_NORMAL the
// full form ("namespace\path\name") while Explorer shows full paths in titles, else the name.
// Parsing names are not given (E_NOTIMPL); other forms are refused (E_INVALIDARG).
HRESULT DisplayNameOf(LPCITEMIDLIST item, SHGDNF flags, std::string& name);

// Explorer's "full path in the title bar" setting; true unless the setting is readable and off.
bool FullPathInTitle();
