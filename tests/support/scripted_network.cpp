#include "support/scripted_network.h"

#include <algorithm>
#include <cctype>
#include <cstring>

ScriptedNetwork::ScriptedNetwork() : previous_(SetNetworkOverride(this)) {}

ScriptedNetwork::~ScriptedNetwork() { SetNetworkOverride(previous_); }

std::string ScriptedNetwork::Key(const std::string& text)
{
    std::string key = text;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return key;
}

void ScriptedNetwork::AnswerProbe(const std::string& path, DWORD error)
{
    std::lock_guard guard(lock_);
    probeAnswers_[Key(path)] = error;
}

void ScriptedNetwork::AddResource(const std::string& container, const Resource& resource)
{
    std::lock_guard guard(lock_);
    resources_[Key(container)].push_back(resource);
}

void ScriptedNetwork::SetProviderType(const std::string& provider, WORD netType)
{
    std::lock_guard guard(lock_);
    providerTypes_[Key(provider)] = netType;
}

void ScriptedNetwork::Connect(const std::string& localName, const std::string& remoteName, bool remembered)
{
    std::lock_guard guard(lock_);
    connections_[Key(localName)] = Connection{remoteName, true, remembered};
}

void ScriptedNetwork::SetDriveType(const std::string& rootPath, UINT type)
{
    std::lock_guard guard(lock_);
    driveTypes_[Key(rootPath)] = type;
}

void ScriptedNetwork::Remember(const std::string& localName, const std::string& remoteName)
{
    std::lock_guard guard(lock_);
    connections_[Key(localName)] = Connection{remoteName, false, true};
}

void ScriptedNetwork::AnswerConnectionQuery(const std::string& localName, DWORD error)
{
    std::lock_guard guard(lock_);
    queryAnswers_[Key(localName)] = error;
}

void ScriptedNetwork::AnswerConnect(const std::string& remoteName, DWORD error)
{
    std::lock_guard guard(lock_);
    connectAnswers_[Key(remoteName)] = error;
}

void ScriptedNetwork::QueueConnectAnswer(DWORD error)
{
    std::lock_guard guard(lock_);
    queuedConnectAnswers_.push_back(error);
}

void ScriptedNetwork::AnswerCancel(const std::string& localName, DWORD error)
{
    std::lock_guard guard(lock_);
    cancelAnswers_[Key(localName)] = error;
}

void ScriptedNetwork::SetShortForm(const std::string& path, const std::string& shortForm)
{
    std::lock_guard guard(lock_);
    shortForms_[Key(path)] = shortForm;
}

std::vector<ScriptedNetwork::ConnectCall> ScriptedNetwork::ConnectCalls() const
{
    std::lock_guard guard(lock_);
    return connectCalls_;
}

std::vector<ScriptedNetwork::CancelCall> ScriptedNetwork::CancelCalls() const
{
    std::lock_guard guard(lock_);
    return cancelCalls_;
}

std::vector<ScriptedNetwork::ShellNotification> ScriptedNetwork::Notifications() const
{
    std::lock_guard guard(lock_);
    return notifications_;
}

std::string ScriptedNetwork::ConnectionOf(const std::string& localName) const
{
    std::lock_guard guard(lock_);
    const auto found = connections_.find(Key(localName));
    return found != connections_.end() && found->second.active ? found->second.remoteName : std::string();
}

bool ScriptedNetwork::IsRemembered(const std::string& localName) const
{
    std::lock_guard guard(lock_);
    const auto found = connections_.find(Key(localName));
    return found != connections_.end() && found->second.remembered;
}

size_t ScriptedNetwork::OpenEnumerations() const
{
    std::lock_guard guard(lock_);
    return enumerations_.size();
}

size_t ScriptedNetwork::EnumerationsOpened() const
{
    std::lock_guard guard(lock_);
    return opened_;
}

std::vector<DWORD> ScriptedNetwork::EnumBufferSizes() const
{
    std::lock_guard guard(lock_);
    return bufferSizes_;
}

DWORD ScriptedNetwork::OpenEnum(DWORD, DWORD, DWORD, NETRESOURCEA* container, HANDLE* enumeration)
{
    if (!enumeration)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    const std::string name = container && container->lpRemoteName ? container->lpRemoteName : "";
    if (container && !resources_.count(Key(name)))
        return ERROR_BAD_NETPATH;
    const HANDLE handle = reinterpret_cast<HANDLE>(nextHandle_++);
    enumerations_[handle] = Enumeration{Key(name), 0};
    ++opened_;
    *enumeration = handle;
    return NO_ERROR;
}

DWORD ScriptedNetwork::EnumResource(HANDLE enumeration, DWORD* count, void* buffer, DWORD* bufferSize)
{
    std::lock_guard guard(lock_);
    const auto open = enumerations_.find(enumeration);
    if (open == enumerations_.end() || !count || !bufferSize)
        return ERROR_INVALID_HANDLE;
    bufferSizes_.push_back(*bufferSize);
    const std::vector<Resource>& all = resources_[open->second.container];
    size_t& next = open->second.next;
    if (next >= all.size())
        return ERROR_NO_MORE_ITEMS;

    // Records first, their strings packed from the end of the buffer, as mpr.dll lays them out.
    const DWORD wanted = *count;
    char* const base = static_cast<char*>(buffer);
    DWORD recordsEnd = 0;
    DWORD stringsStart = *bufferSize;
    DWORD written = 0;
    while (next < all.size() && written < wanted) {
        const Resource& resource = all[next];
        const DWORD strings = static_cast<DWORD>(resource.remoteName.size() + resource.provider.size() +
                                                 resource.comment.size() + 3);
        if (recordsEnd + sizeof(NETRESOURCEA) + strings > stringsStart) {
            if (written == 0) {
                *bufferSize = static_cast<DWORD>(sizeof(NETRESOURCEA)) + strings;
                return ERROR_MORE_DATA;
            }
            break;
        }
        auto place = [&](const std::string& text) {
            stringsStart -= static_cast<DWORD>(text.size() + 1);
            std::memcpy(base + stringsStart, text.c_str(), text.size() + 1);
            return base + stringsStart;
        };
        NETRESOURCEA record{};
        record.dwScope = RESOURCE_GLOBALNET;
        record.dwType = RESOURCETYPE_ANY;
        record.dwDisplayType = resource.displayType;
        record.dwUsage = resource.usage;
        record.lpRemoteName = place(resource.remoteName);
        record.lpProvider = place(resource.provider);
        record.lpComment = place(resource.comment);
        std::memcpy(base + recordsEnd, &record, sizeof record);
        recordsEnd += sizeof record;
        ++written;
        ++next;
    }
    *count = written;
    return NO_ERROR;
}

DWORD ScriptedNetwork::CloseEnum(HANDLE enumeration)
{
    std::lock_guard guard(lock_);
    return enumerations_.erase(enumeration) ? NO_ERROR : ERROR_INVALID_HANDLE;
}

DWORD ScriptedNetwork::GetNetworkInformation(const char* provider, NETINFOSTRUCT* information)
{
    if (!provider || !information || information->cbStructure < sizeof(NETINFOSTRUCT))
        return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    const auto known = providerTypes_.find(Key(provider));
    if (known == providerTypes_.end())
        return ERROR_BAD_PROVIDER;
    information->wNetType = known->second;
    information->dwStatus = NO_ERROR;
    return NO_ERROR;
}

DWORD ScriptedNetwork::GetConnection(const char* localName, char* remoteName, DWORD* length)
{
    if (!localName || !length)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    if (const auto answer = queryAnswers_.find(Key(localName)); answer != queryAnswers_.end())
        return answer->second;
    const auto connected = connections_.find(Key(localName));
    if (connected == connections_.end())
        return ERROR_NOT_CONNECTED;
    const std::string& name = connected->second.remoteName;
    const DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (!remoteName || *length < needed) {
        *length = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(remoteName, name.c_str(), needed);
    return connected->second.active ? NO_ERROR : ERROR_CONNECTION_UNAVAIL;
}

DWORD ScriptedNetwork::AddConnection2(NETRESOURCEA* resource, const char* password, const char* userName, DWORD flags)
{
    if (!resource || !resource->lpRemoteName)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    ConnectCall call;
    call.localName = resource->lpLocalName ? resource->lpLocalName : "";
    call.remoteName = resource->lpRemoteName;
    call.withUserName = userName != nullptr;
    call.userName = userName ? userName : "";
    call.withPassword = password != nullptr;
    call.password = password ? password : "";
    call.flags = flags;

    DWORD error = NO_ERROR;
    if (!queuedConnectAnswers_.empty()) {
        error = queuedConnectAnswers_.front();
        queuedConnectAnswers_.erase(queuedConnectAnswers_.begin());
    } else if (const auto scripted = connectAnswers_.find(Key(call.remoteName)); scripted != connectAnswers_.end()) {
        error = scripted->second;
    } else {
        const auto probe = probeAnswers_.find(Key(call.remoteName));
        error = probe == probeAnswers_.end() ? unknownPathAnswer : probe->second;
    }
    if (error == NO_ERROR && !call.localName.empty()) {
        const auto existing = connections_.find(Key(call.localName));
        if (existing != connections_.end())
            error = existing->second.active ? ERROR_ALREADY_ASSIGNED : ERROR_DEVICE_ALREADY_REMEMBERED;
        else
            connections_[Key(call.localName)] =
                Connection{call.remoteName, (flags & CONNECT_DEFERRED) == 0, (flags & CONNECT_UPDATE_PROFILE) != 0};
    }
    call.answer = error;
    connectCalls_.push_back(call);
    return error;
}

DWORD ScriptedNetwork::CancelConnection2(const char* name, DWORD flags, BOOL force)
{
    if (!name)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard guard(lock_);
    cancelCalls_.push_back(CancelCall{name, flags, force});
    if (!force) {
        if (const auto scripted = cancelAnswers_.find(Key(name)); scripted != cancelAnswers_.end())
            return scripted->second;
    }
    const auto connection = connections_.find(Key(name));
    if (connection == connections_.end())
        return ERROR_NOT_CONNECTED;
    if (connection->second.remembered && (flags & CONNECT_UPDATE_PROFILE) == 0) {
        if (!connection->second.active)
            return ERROR_NOT_CONNECTED;
        connection->second.active = false;
        return NO_ERROR;
    }
    connections_.erase(connection);
    return NO_ERROR;
}

UINT ScriptedNetwork::DriveType(const char* rootPath)
{
    std::lock_guard guard(lock_);
    const std::string root = Key(rootPath ? rootPath : "");
    if (const auto known = driveTypes_.find(root); known != driveTypes_.end())
        return known->second;
    const auto connected = connections_.find(root.substr(0, 2));
    return connected != connections_.end() && connected->second.active ? DRIVE_REMOTE : DRIVE_NO_ROOT_DIR;
}

DWORD ScriptedNetwork::ShortPathName(const char* path, char* buffer, DWORD size)
{
    std::lock_guard guard(lock_);
    const auto known = shortForms_.find(Key(path ? path : ""));
    if (known == shortForms_.end()) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    const DWORD needed = static_cast<DWORD>(known->second.size() + 1);
    if (!buffer || size < needed)
        return needed;
    std::memcpy(buffer, known->second.c_str(), needed);
    return needed - 1;
}

void ScriptedNetwork::NotifyShell(LONG event, UINT flags, const char* path)
{
    std::lock_guard guard(lock_);
    notifications_.push_back(ShellNotification{event, flags, path ? path : ""});
}

DWORD ScriptedNetwork::ProbeDirectory(const std::string& path)
{
    std::lock_guard guard(lock_);
    const auto answer = probeAnswers_.find(Key(path));
    return answer == probeAnswers_.end() ? unknownPathAnswer : answer->second;
}
