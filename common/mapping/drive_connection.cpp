#include "mapping/drive_connection.h"

#include "network/network_api.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <winnetwk.h>

#include <vector>

namespace {

// The first buffer is the size Windows programs traditionally use; a longer name is read again.
constexpr DWORD kRemoteNameBuffer = 261;
constexpr DWORD kCredentialBuffer = 257;

bool AskDisconnectWithOpenFiles(HWND owner, const std::string& localName)
{
    PromptRequest request;
    request.owner = owner ? owner : ::GetForegroundWindow();
    request.text = FormatText(CommonText(IDS_ASK_DISCONNECT_WITH_OPEN_FILES_FMT), localName, localName);
    request.caption = CommonText(IDS_CAPTION_DISCONNECT_DEVICE);
    request.style = MB_YESNO | MB_ICONEXCLAMATION | MB_SETFOREGROUND;
    return AskPrompt(request) == IDYES;
}

bool FilesAreOpen(DWORD error) { return error == ERROR_DEVICE_IN_USE || error == ERROR_OPEN_FILES; }

// A fixed buffer for one credential that is wiped when it goes.
class CredentialBuffer {
public:
    explicit CredentialBuffer(const std::string& text) { text.copy(buffer_, kCredentialBuffer - 1); }
    ~CredentialBuffer() { ::SecureZeroMemory(buffer_, sizeof buffer_); }
    CredentialBuffer(const CredentialBuffer&) = delete;
    CredentialBuffer& operator=(const CredentialBuffer&) = delete;
    const char* get() const { return buffer_; }

private:
    char buffer_[kCredentialBuffer]{};
};

} // namespace

std::string LocalNameOfLetter(const std::string& letter)
{
    if (letter.empty())
        return {};
    const char upper = static_cast<char>(letter[0] >= 'a' && letter[0] <= 'z' ? letter[0] - 'a' + 'A' : letter[0]);
    if (upper < 'C' || upper > 'Z')
        return {};
    const std::string rest = letter.substr(1);
    if (!rest.empty() && rest != ":" && rest != ":\\")
        return {};
    return std::string(1, upper) + ":";
}

std::string RootPathOf(const std::string& localName) { return localName.substr(0, 2) + "\\"; }

DWORD QueryConnection(const std::string& localName, std::string& remoteName)
{
    remoteName.clear();
    std::vector<char> buffer(kRemoteNameBuffer);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const DWORD result = Network().GetConnection(localName.c_str(), buffer.data(), &length);
        if (result == ERROR_MORE_DATA && length > buffer.size()) {
            buffer.resize(length);
            continue;
        }
        if (result == NO_ERROR || result == ERROR_CONNECTION_UNAVAIL)
            remoteName.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
        return result;
    }
    return ERROR_MORE_DATA;
}

std::vector<DriveLetterEntry> ListNetworkDriveLetters(const std::function<void(char, DWORD)>& onError)
{
    std::vector<DriveLetterEntry> letters;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string localName{letter, ':'};
        const UINT type = Network().DriveType(RootPathOf(localName).c_str());
        if (type != DRIVE_NO_ROOT_DIR && type != DRIVE_REMOTE)
            continue;
        DriveLetterEntry entry;
        entry.letter = letter;
        const DWORD result = QueryConnection(localName, entry.remoteName);
        if (result == ERROR_NOT_CONNECTED) {
            entry.state = DriveLetterState::Free;
        } else if (result == NO_ERROR) {
            entry.state = DriveLetterState::Connected;
        } else if (result == ERROR_CONNECTION_UNAVAIL) {
            entry.state = DriveLetterState::Remembered;
        } else {
            if (onError)
                onError(letter, result);
            continue;
        }
        letters.push_back(std::move(entry));
    }
    return letters;
}

std::string ConnectionLengthProblem(const std::string& remoteName, const std::string& userName,
                                    const std::string& password)
{
    if (remoteName.size() > kMaxRemoteNameLength)
        return FormatText(CommonText(IDS_ERR_NETWORK_PATH_TOO_LONG_FMT), remoteName,
                          static_cast<int>(kMaxRemoteNameLength));
    if (userName.size() > kMaxCredentialLength || password.size() > kMaxCredentialLength)
        return FormatText(CommonText(IDS_ERR_CREDENTIALS_TOO_LONG_FMT), static_cast<int>(kMaxCredentialLength));
    return {};
}

DWORD ConnectDrive(const std::string& localName, const std::string& remoteName,
                   const ConnectionCredentials& credentials, DWORD flags)
{
    // The credentials travel in fixed buffers; the path does not, so a connection read back
    // (however long its name) can always be restored.
    if (credentials.userName.size() > kMaxCredentialLength || credentials.password.size() > kMaxCredentialLength)
        return ERROR_BAD_LENGTH;
    std::string local = localName;
    std::string remote = remoteName;
    NETRESOURCEA resource{};
    resource.dwScope = RESOURCE_GLOBALNET;
    resource.dwType = RESOURCETYPE_DISK;
    resource.dwDisplayType = RESOURCEDISPLAYTYPE_GENERIC;
    resource.dwUsage = RESOURCEUSAGE_CONNECTABLE;
    resource.lpLocalName = local.data();
    resource.lpRemoteName = remote.data();
    const CredentialBuffer userName(credentials.userName);
    const CredentialBuffer password(credentials.password);
    return Network().AddConnection2(&resource, credentials.hasPassword ? password.get() : nullptr,
                                    credentials.hasUserName ? userName.get() : nullptr, flags);
}

DisconnectResult DisconnectDrive(const std::string& localName, HWND owner)
{
    DWORD result = Network().CancelConnection2(localName.c_str(), CONNECT_UPDATE_PROFILE, FALSE);
    if (FilesAreOpen(result)) {
        if (!AskDisconnectWithOpenFiles(owner, localName))
            return {DisconnectOutcome::Refused, result, false};
        result = Network().CancelConnection2(localName.c_str(), CONNECT_UPDATE_PROFILE, TRUE);
        return {result == NO_ERROR ? DisconnectOutcome::Disconnected : DisconnectOutcome::Failed, result, true};
    }
    return {result == NO_ERROR ? DisconnectOutcome::Disconnected : DisconnectOutcome::Failed, result, false};
}

void WipeSecret(std::string& secret)
{
    if (!secret.empty())
        ::SecureZeroMemory(secret.data(), secret.size());
    secret.clear();
}
