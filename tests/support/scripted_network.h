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
    // A drive letter ("F:") connected to a network path, and the type GetDriveTypeA answers.
    void Connect(const std::string& localName, const std::string& remoteName);
    void SetDriveType(const std::string& rootPath, UINT type);

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

private:
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
    std::map<std::string, std::string> connections_;
    std::map<std::string, UINT> driveTypes_;
    std::map<HANDLE, Enumeration> enumerations_;
    size_t opened_ = 0;
    std::vector<DWORD> bufferSizes_;
    UINT_PTR nextHandle_ = 0x1000;
};
