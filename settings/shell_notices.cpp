#include "shell_notices.h"

#include "logging/logging.h"
#include "network/network_api.h"
#include "pidl/pidl_mgr.h"

#include <windows.h>
#include <shlobj.h>

std::optional<std::string> DriveRootOf(const std::string& value)
{
    if (value.empty() || value.size() > 3)
        return std::nullopt;
    const char letter = value[0];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')))
        return std::nullopt;
    const std::string rest = value.substr(1);
    if (!rest.empty() && rest != ":" && rest != ":\\")
        return std::nullopt;
    return std::string(1, letter) + ":\\";
}

void RefreshDrive(const std::string& value)
{
    const std::optional<std::string> root = DriveRootOf(value);
    if (!root) {
        LogFormatted("DialwiseApp::RefreshDrive() - refused '%s': not a drive letter from A to Z\n", value);
        return;
    }
    Network().NotifyShell(SHCNE_UPDATEDIR, SHCNF_PATHA | SHCNF_FLUSH, root->c_str());
    ::SHChangeNotify(SHCNE_RENAMEFOLDER, SHCNF_PATHA | SHCNF_FLUSH, root->c_str(), root->c_str());
    NotifyMyComputerChanged();
}

void NotifyMyComputerChanged()
{
    LPITEMIDLIST found = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &found))) {
        const ScopedPidl myComputer(found);
        ::SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_IDLIST | SHCNF_FLUSH, myComputer.get(), nullptr);
    }
}
