#pragma once

#include "network/network_api.h"

#include <windows.h>
#include <winnetwk.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

// A network that answers as a test scripted it, with the exact Windows error codes, installed
// in place of the real one (Network()) for its lifetime.
class ScriptedNetwork : public NetworkApi {
public:
    // One entry of an enumeration, as WNetEnumResourceA hands it out.
    struct Resource {
        Resource(std::string remote, std::string providerName, std::string text = {})
            : remoteName(std::move(remote)), provider(std::move(providerName)), comment(std::move(text))
        {
        }
        std::string remoteName;
        std::string provider;
        std::string comment;
        DWORD displayType = RESOURCEDISPLAYTYPE_GENERIC;
        DWORD usage = RESOURCEUSAGE_CONTAINER;
    };

    ScriptedNetwork();
    ~ScriptedNetwork() override;

    // What a search of path\*.* answers (case-insensitive paths); others answer unknownPathAnswer.
    void AnswerProbe(const std::string& path, DWORD error);
    DWORD unknownPathAnswer = ERROR_BAD_NETPATH;
    // The entries below a container, by the container's remote name; "" is the top level.
    void AddResource(const std::string& container, const Resource& resource);
    // The network type a provider reports (the high word of its WNNC_NET_* number).
    void SetProviderType(const std::string& provider, WORD netType);
    // A drive letter ("F:") connected to a network path, remembered for the next log-on or not,
    // and the type GetDriveTypeA answers (a connected letter is a remote drive, and a letter
    // without a connection has no drive, unless a test says otherwise). Cancelling a remembered
    // connection without CONNECT_UPDATE_PROFILE keeps it remembered, as Windows does.
    void Connect(const std::string& localName, const std::string& remoteName, bool remembered = false);
    void SetDriveType(const std::string& rootPath, UINT type);
    // A letter remembered for the next log-on but not connected (ERROR_CONNECTION_UNAVAIL).
    void Remember(const std::string& localName, const std::string& remoteName);
    // What WNetGetConnectionA answers for a letter, whatever its connection.
    void AnswerConnectionQuery(const std::string& localName, DWORD error);
    // What WNetAddConnection2A answers for a network path (else its probe answer), and answers
    // queued for the next connections whatever their path.
    void AnswerConnect(const std::string& remoteName, DWORD error);
    void QueueConnectAnswer(DWORD error);
    // What WNetCancelConnection2A answers for a letter when not forced (open files, say).
    void AnswerCancel(const std::string& localName, DWORD error);
    // The short (8.3) form GetShortPathNameA gives for a path; other paths have none.
    void SetShortForm(const std::string& path, const std::string& shortForm);

    struct ConnectCall {
        std::string localName;
        std::string remoteName;
        bool withUserName = false;
        std::string userName;
        bool withPassword = false;
        std::string password;
        DWORD flags = 0;
        DWORD answer = 0;
    };
    struct CancelCall {
        std::string name;
        DWORD flags = 0;
        BOOL force = FALSE;
    };
    struct ShellNotification {
        LONG event = 0;
        UINT flags = 0;
        std::string path;
    };
    std::vector<ConnectCall> ConnectCalls() const;
    std::vector<CancelCall> CancelCalls() const;
    std::vector<ShellNotification> Notifications() const;
    // The letter's network path, empty when not connected; whether it is remembered.
    std::string ConnectionOf(const std::string& localName) const;
    bool IsRemembered(const std::string& localName) const;

    // Enumerations opened and not closed yet, and how many were opened in all.
    size_t OpenEnumerations() const;
    size_t EnumerationsOpened() const;
    // The buffer sizes WNetEnumResourceA was called with, in order.
    std::vector<DWORD> EnumBufferSizes() const;

    DWORD OpenEnum(DWORD scope, DWORD type, DWORD usage, NETRESOURCEA* container, HANDLE* enumeration) override;
    DWORD EnumResource(HANDLE enumeration, DWORD* count, void* buffer, DWORD* bufferSize) override;
    DWORD CloseEnum(HANDLE enumeration) override;
    DWORD GetNetworkInformation(const char* provider, NETINFOSTRUCT* information) override;
    DWORD GetConnection(const char* localName, char* remoteName, DWORD* length) override;
    DWORD AddConnection2(NETRESOURCEA* resource, const char* password, const char* userName, DWORD flags) override;
    DWORD CancelConnection2(const char* name, DWORD flags, BOOL force) override;
    UINT DriveType(const char* rootPath) override;
    DWORD ProbeDirectory(const std::string& path) override;
    DWORD ShortPathName(const char* path, char* buffer, DWORD size) override;
    void NotifyShell(LONG event, UINT flags, const char* path) override;

private:
    struct Connection {
        std::string remoteName;
        bool active = true;
        bool remembered = false;
    };
    struct Enumeration {
        std::string container;
        size_t next = 0;
    };

    static std::string Key(const std::string& text);

    mutable std::mutex lock_;
    NetworkApi* previous_ = nullptr;
    std::map<std::string, DWORD> probeAnswers_;
    std::map<std::string, std::vector<Resource>> resources_;
    std::map<std::string, WORD> providerTypes_;
    std::map<std::string, Connection> connections_;
    std::map<std::string, DWORD> queryAnswers_;
    std::map<std::string, DWORD> connectAnswers_;
    std::vector<DWORD> queuedConnectAnswers_;
    std::map<std::string, DWORD> cancelAnswers_;
    std::map<std::string, std::string> shortForms_;
    std::vector<ConnectCall> connectCalls_;
    std::vector<CancelCall> cancelCalls_;
    std::vector<ShellNotification> notifications_;
    std::map<std::string, UINT> driveTypes_;
    std::map<HANDLE, Enumeration> enumerations_;
    size_t opened_ = 0;
    std::vector<DWORD> bufferSizes_;
    UINT_PTR nextHandle_ = 0x1000;
};
