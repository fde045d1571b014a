#pragma once

#include <windows.h>

#include <string>

// Lets the user pick a folder of the namespace from the tree of the cache's folders, starting
// at folder; true with folder set to the chosen path (empty for the root) on OK.
bool PickNamespaceFolder(HWND owner, const std::string& title, std::string& folder);
