#include "shell_folder.h"

#include <windows.h>
#include <shlobj.h>

std::string ShellFolderPath(int csidl)
{
    char path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return {};
    return path;
}
