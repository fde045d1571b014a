#include "find_files_request.h"

#include "logging/logging.h"

#include <windows.h>
#include <ddeml.h>

namespace {

// A DDE client instance, ended with the object.
class DdeClient {
public:
    DdeClient()
    {
        if (::DdeInitializeA(&instance_, &Callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
            instance_ = 0;
    }
    ~DdeClient()
    {
        if (instance_)
            ::DdeUninitialize(instance_);
    }
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;

    DWORD Instance() const { return instance_; }

private:
    static HDDEDATA CALLBACK Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }
    DWORD instance_ = 0;
};

class DdeName {
public:
    DdeName(DWORD instance, const char* text) : instance_(instance), name_(::DdeCreateStringHandleA(instance, text, CP_WINANSI)) {}
    ~DdeName()
    {
        if (name_)
            ::DdeFreeStringHandle(instance_, name_);
    }
    DdeName(const DdeName&) = delete;
    DdeName& operator=(const DdeName&) = delete;
    HSZ Get() const { return name_; }

private:
    DWORD instance_;
    HSZ name_;
};

} // namespace

std::optional<std::string> FindFolderCommand(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    for (const unsigned char c : path) {
        if (c < 0x20 || c == '"' || c == '[' || c == ']')
            return std::nullopt;
    }
    return "[FindFolder(, \"" + path + "\")]";
}

bool RequestFindFiles(const std::string& path)
{
    const auto command = FindFolderCommand(path);
    if (!command) {
        LogFormatted("ShellViewListCtrl::LaunchFindFileOnMediaDialog() - refused path '%s'\n", path);
        return false;
    }
    DdeClient client;
    if (!client.Instance()) {
        Logging::OutToLogFile("ShellViewListCtrl::LaunchFindFileOnMediaDialog() - DdeInitialize failed\n");
        return false;
    }
    const DdeName service(client.Instance(), "Folders");
    const DdeName topic(client.Instance(), "AppProperties");
    HCONV conversation = ::DdeConnect(client.Instance(), service.Get(), topic.Get(), nullptr);
    if (!conversation) {
        LogFormatted("ShellViewListCtrl::LaunchFindFileOnMediaDialog() - DdeConnect failed: 0x%X\n",
                     ::DdeGetLastError(client.Instance()));
        return false;
    }
    DWORD result = 0;
    const HDDEDATA done = ::DdeClientTransaction(
        reinterpret_cast<LPBYTE>(const_cast<char*>(command->c_str())), static_cast<DWORD>(command->size() + 1),
        conversation, nullptr, 0, XTYP_EXECUTE, 10000, &result);
    ::DdeDisconnect(conversation);
    if (!done) {
        LogFormatted("ShellViewListCtrl::LaunchFindFileOnMediaDialog() - the execute failed: 0x%X\n",
                     ::DdeGetLastError(client.Instance()));
        return false;
    }
    return true;
}
