#include "folder_locations.h"

#include "shell_folder.h"

#include <windows.h>
#include <shlobj.h>

FolderLocations FolderLocations::FromShell()
{
    FolderLocations locations;
    locations.search.startup = ShellFolderPath(CSIDL_STARTUP);
    locations.search.commonStartup = ShellFolderPath(CSIDL_COMMON_STARTUP);
    locations.search.programs = ShellFolderPath(CSIDL_PROGRAMS);
    locations.search.commonPrograms = ShellFolderPath(CSIDL_COMMON_PROGRAMS);
    locations.search.desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    locations.search.commonDesktop = ShellFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
    locations.protectedFolders = ProtectedFolders::OfThisSystem();
    return locations;
}
