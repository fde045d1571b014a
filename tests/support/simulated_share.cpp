#include "support/simulated_share.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

SimulatedShare::SimulatedShare(const std::string& server, const std::string& share)
    : path_("\\\\" + server + "\\" + share)
{
    char prefix[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (length == 0 || length >= sizeof prefix || prefix[0] != '/')
        throw std::runtime_error("no Wine prefix to make a network share in");
    std::string folder = std::string("Z:") + prefix;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    for (const char* part : {"dosdevices", "unc", server.c_str(), share.c_str()}) {
        folder += "\\";
        folder += part;
        if (::CreateDirectoryA(folder.c_str(), nullptr))
            made_.push_back(folder);
        else if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot make " + folder);
    }
    folder_ = folder;
}

SimulatedShare::~SimulatedShare()
{
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder)
        ::RemoveDirectoryA(folder->c_str());
}
