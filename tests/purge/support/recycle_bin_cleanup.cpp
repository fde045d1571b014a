#include "recycle_bin_cleanup.h"

#include "support/temp_directory.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace {

// Wine's name of a Unix path (the trash lives outside every drive letter but Z:).
std::string DosPathOf(const std::string& unixPath)
{
    using UnixToDos = LPWSTR(CDECL*)(LPCSTR);
    const auto convert = reinterpret_cast<UnixToDos>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!convert)
        return {};
    LPWSTR dosPath = convert(unixPath.c_str());
    if (!dosPath)
        return {};
    char path[MAX_PATH * 2] = {};
    ::WideCharToMultiByte(CP_ACP, 0, dosPath, -1, path, sizeof path, nullptr, nullptr);
    ::HeapFree(::GetProcessHeap(), 0, dosPath);
    return path;
}

std::string EnvironmentValue(const char* name)
{
    char value[MAX_PATH * 2] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string();
}

// The desktop trash folder as the freedesktop.org rules place it. Wine keeps the Unix home
// folder out of the Windows environment and names it in WINEHOMEDIR instead.
std::string TrashFolder()
{
    const std::string dataHome = EnvironmentValue("XDG_DATA_HOME");
    if (!dataHome.empty())
        return DosPathOf(dataHome + "/Trash");
    std::string home = EnvironmentValue("WINEHOMEDIR");
    const std::string ntPrefix = "\\??\\";
    if (home.compare(0, ntPrefix.size(), ntPrefix) == 0)
        home.erase(0, ntPrefix.size());
    return home.empty() ? std::string() : home + "\\.local\\share\\Trash";
}

void DeleteForGood(const std::string& path)
{
    std::string from = path;
    from.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
}

} // namespace

RecycleBinCleanup::RecycleBinCleanup(std::string marker) : marker_(std::move(marker)) {}

RecycleBinCleanup::~RecycleBinCleanup()
{
    const std::string trash = TrashFolder();
    if (trash.empty() || marker_.empty())
        return;
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((trash + "\\info\\*.trashinfo").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> ours;
    do {
        const std::string info = ReadWholeFile(trash + "\\info\\" + entry.cFileName);
        if (info.find("/" + marker_ + "/") != std::string::npos)
            ours.push_back(entry.cFileName);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    for (const std::string& infoName : ours) {
        const std::string name = infoName.substr(0, infoName.size() - std::string(".trashinfo").size());
        DeleteForGood(trash + "\\files\\" + name);
        ::DeleteFileA((trash + "\\info\\" + infoName).c_str());
    }
}

long long RecycleBinItemCount()
{
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    // A null root means every drive. Wine refuses a null or empty root (its ANSI entry point
    // even passes an uninitialised one on) and counts its single trash folder whatever root is
    // named, so a named root is the way there.
    if (FAILED(::SHQueryRecycleBinW(nullptr, &info)) && FAILED(::SHQueryRecycleBinW(L"C:\\", &info)))
        return -1;
    return info.i64NumItems;
}
