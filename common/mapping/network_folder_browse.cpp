#include "mapping/network_folder_browse.h"

#include "pidl/pidl_mgr.h"

#include <shlobj.h>

namespace {

// The path of the folder selected last; empty when that folder has none, so that a folder
// without a path is never confirmed with the path of one selected before it.
int CALLBACK KeepSelectedPath(HWND, UINT message, LPARAM parameter, LPARAM data)
{
    if (message == BFFM_SELCHANGED) {
        auto& kept = *reinterpret_cast<std::string*>(data);
        char path[MAX_PATH] = {};
        const auto selected = reinterpret_cast<LPCITEMIDLIST>(parameter);
        if (selected && ::SHGetPathFromIDListA(selected, path))
            kept = path;
        else
            kept.clear();
    }
    return 0;
}

} // namespace

bool BrowseNetworkNeighbourhood(HWND owner, const std::string& title, std::string& path)
{
    LPITEMIDLIST network = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, CSIDL_NETWORK, &network)) || !network)
        return false;
    const ScopedPidl root(network);

    std::string kept;
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = root.get();
    browse.lpszTitle = title.c_str();
    browse.lpfn = KeepSelectedPath;
    browse.lParam = reinterpret_cast<LPARAM>(&kept);
    const ScopedPidl chosen(::SHBrowseForFolderA(&browse));
    if (!chosen || kept.empty())
        return false;
    path = kept;
    return true;
}
