#include "base/module_path.h"

#include <vector>

std::string ModuleFileName(HMODULE module)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return {};
    // "C:" alone names the drive's current folder, not its root.
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (directory.empty() || directory.back() == '\\')
        return directory + name;
    return directory + "\\" + name;
}
