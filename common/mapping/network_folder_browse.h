#pragma once

#include <windows.h>

#include <string>

// Lets the user pick a shared folder in the network neighbourhood (the shell's folder browser
// rooted there). True with the folder's path when the user confirmed a folder that has one;
// false when the neighbourhood is not available, the user cancelled, or the folder confirmed
// has no file-system path.
bool BrowseNetworkNeighbourhood(HWND owner, const std::string& title, std::string& path);
