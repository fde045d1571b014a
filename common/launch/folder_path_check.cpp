#include "launch/folder_path_check.h"

#include <windows.h>

namespace {

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

} // namespace

FolderPathCheck CheckFolderPath(const std::string& typed, bool filesAllowed)
{
    FolderPathCheck check;
    check.path = typed;
    if (typed.empty() || typed.find("\\\\", 1) != std::string::npos)
        return check;
    if (check.path.size() > 1 && check.path.back() == '\\' && !IsDriveRoot(check.path))
        check.path.pop_back();

    const DWORD attributes = ::GetFileAttributesA(check.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        check.verdict = FolderPathVerdict::Missing;
    else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !filesAllowed)
        check.verdict = FolderPathVerdict::Invalid;
    else
        check.verdict = FolderPathVerdict::Accepted;
    return check;
}
