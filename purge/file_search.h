#pragma once

#include "folder_locations.h"
#include "found_data.h"

#include <vector>

// Looks for the program folders recorded in the registry, the shortcuts and menu folders in
// the shell folders, the installer's folder and the client set-up folder. Each path is listed
// once; protected folders are marked as such.
std::vector<FoundPath> SearchFilesAndFolders(const FolderLocations& locations);
