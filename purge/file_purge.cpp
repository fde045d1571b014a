#include "file_purge.h"

#include <shellapi.h>

std::vector<std::string> PathsToRecycle(const std::vector<FoundPath>& found)
{
    std::vector<std::string> paths;
    for (const FoundPath& path : found) {
        if (!path.isProtected)
            paths.push_back(path.path);
    }
    return paths;
}

void RecycleFoundPaths(HWND owner, const std::vector<FoundPath>& found, const std::function<void()>& afterEach)
{
    for (const std::string& path : PathsToRecycle(found)) {
        // The file operation takes a list ended by an empty entry.
        std::string from = path;
        from.push_back('\0');
        SHFILEOPSTRUCTA operation = {};
        operation.hwnd = owner;
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_ALLOWUNDO;
        ::SHFileOperationA(&operation);
        if (afterEach)
            afterEach();
    }
}
