#include "launch_drive_paths.h"

#include "text/text_compare.h"

std::string ShareOfPath(const std::string& path)
{
    if (path.size() < 3 || path.compare(0, 2, "\\\\") != 0)
        return {};
    const auto serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2)
        return {};
    const auto shareEnd = path.find('\\', serverEnd + 1);
    const std::string share = path.substr(0, shareEnd);
    return share.size() > serverEnd + 1 ? share : std::string();
}

std::string PathOnDrive(const std::string& path, const std::string& share, const std::string& localName)
{
    if (share.empty() || localName.empty() || path.size() < share.size() ||
        !EqualsNoCase(path.substr(0, share.size()), share))
        return path;
    const std::string rest = path.substr(share.size());
    if (rest.empty())
        return localName + "\\";
    return rest[0] == '\\' ? localName + rest : path;
}
