#pragma once

#include "protected_folders.h"

#include <string>

// The shell folders the search looks into; an empty one is skipped.
struct SearchFolders {
    std::string startup;
    std::string commonStartup;
    std::string programs;
    std::string commonPrograms;
    std::string desktop;
    std::string commonDesktop;
};

// Everything the file search and the purge need to know about where things are. The program
// asks the shell; tests point the folders at scratch folders of their own.
struct FolderLocations {
    SearchFolders search;
    ProtectedFolders protectedFolders;

    static FolderLocations FromShell();
};
