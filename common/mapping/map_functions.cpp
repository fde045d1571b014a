#include "mapping/map_functions.h"

#include "logging/logging.h"
#include "mapping/drive_connection.h"
#include "mapping/replacement_warning.h"
#include "network/network_api.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <shlobj.h>
#include <winnetwk.h>

#include <set>

namespace {

constexpr DWORD kShortPathBuffer = 260;
// Another program may take the free letter between the scan and the connection; a few more
// letters are tried before giving up.
constexpr int kFreeLetterAttempts = 4;

void ShowMappingMessage(const std::string& text, const std::string& caption = ProductCaption())
{
    PromptRequest request;
    request.owner = ::GetForegroundWindow();
    request.text = text;
    request.caption = caption;
    request.style = MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND;
    AskPrompt(request);
}

UINT RefusedConnectionMessage(DWORD error)
{
    switch (error) {
    case ERROR_BAD_NET_NAME: return IDS_ERR_MAP_CONNECTION_NOT_FOUND_FMT;
    case ERROR_INVALID_PASSWORD: return IDS_ERR_MAP_PASSWORD_INVALID_FMT;
    case ERROR_BAD_USERNAME: return IDS_ERR_MAP_USER_NAME_INVALID_FMT;
    default: return IDS_ERR_MAP_CONNECTION_FAILED_FMT;
    }
}

// Whether Windows keeps the letter's connection for the next log-on.
bool IsRememberedForLogOn(const std::string& localName)
{
    try {
        return RegKey::CURRENT_USER.KeyExists("Network\\" + localName.substr(0, 1));
    } catch (const RegKeyException& error) {
        LogRegKeyException("MapFunctions::QuickMap() - ", error);
        return false;
    }
}

// Reads what a letter holds before a mapping changes it; answers as WNetGetConnectionA.
DWORD ReadFoundConnection(const std::string& localName, DriveLetterUse& use)
{
    const DWORD answer = QueryConnection(localName, use.foundRemoteName);
    if (answer == NO_ERROR) {
        use.found = DriveLetterState::Connected;
        use.foundPersistent = IsRememberedForLogOn(localName);
    } else if (answer == ERROR_CONNECTION_UNAVAIL) {
        use.found = DriveLetterState::Remembered;
        use.foundPersistent = true;
    } else {
        use.found = DriveLetterState::Free;
        use.foundRemoteName.clear();
        use.foundPersistent = false;
    }
    return answer;
}

void RestoreFound(const DriveLetterUse& use)
{
    const DWORD result = ConnectDrive(use.localName, use.foundRemoteName, FoundConnectionFlags(use));
    if (result != NO_ERROR)
        LogFormatted("MapFunctions::QuickMap | could not restore %s to %s: %u\n", use.localName.c_str(),
                     use.foundRemoteName.c_str(), static_cast<unsigned>(result));
    Network().NotifyShell(SHCNE_DRIVEADD, SHCNF_PATH, use.localName.c_str());
}

void ReportRefusedConnection(const std::string& networkPath, DWORD error)
{
    LogFormatted("MapFunctions::QuickMap | WNetAddConnection error : %u\n", static_cast<unsigned>(error));
    ShowMappingMessage(FormatText(CommonText(RefusedConnectionMessage(error)), networkPath),
                       CommonText(IDS_CAPTION_CONNECT_DEVICE));
}

// A free letter for the path (or the one already serving it), leaving out letters another
// program took meanwhile. Empty when there is none.
std::string ChooseFreeLetter(const std::string& networkPath, const std::set<std::string>& taken, bool& alreadyMapped)
{
    std::vector<std::string> letters;
    alreadyMapped = false;
    const int proposed = MapFunctions::GetDriveLetters(1, letters, networkPath, &alreadyMapped);
    if (proposed < 0)
        return {};
    if (alreadyMapped)
        return letters[static_cast<size_t>(proposed)];
    for (size_t i = static_cast<size_t>(proposed); i < letters.size(); ++i) {
        if (!taken.count(letters[i]))
            return letters[i];
    }
    return {};
}

bool ConfirmReplacement(const std::string& localName, DWORD answer, const std::string& current,
                        const std::string& networkPath, bool warnBeforeReplace)
{
    bool ask = warnBeforeReplace;
    try {
        ask = ReplacementWarning::ShouldAsk(warnBeforeReplace);
    } catch (const RegKeyException& error) {
        // An unreadable setting is no permission to replace a connection unasked.
        LogRegKeyException("MapFunctions::QuickMap() - ", error);
    }
    if (!ask)
        return true;
    PromptRequest request;
    request.owner = ::GetForegroundWindow();
    request.text = answer == NO_ERROR
                       ? FormatText(CommonText(IDS_ASK_REPLACE_CONNECTION_FMT), localName, current, networkPath)
                       : FormatText(CommonText(IDS_ASK_REPLACE_DEVICE_IN_USE_FMT), localName, networkPath);
    request.caption = ProductCaption();
    request.checkBoxText = CommonText(IDS_DONT_SHOW_WARNING_AGAIN);
    request.style = MB_YESNO | MB_ICONEXCLAMATION;
    if (AskPrompt(request) != IDYES)
        return false;
    if (request.checked) {
        try {
            ReplacementWarning::SwitchOff();
        } catch (const RegKeyException& error) {
            LogRegKeyException("MapFunctions::QuickMap() - ", error);
        }
    }
    return true;
}

// connectFlags: how the path is connected (0: for this session only).
bool MapToLetter(const std::string& networkPath, const std::string& localName, DriveLetterUse& use, bool silent,
                 bool warnBeforeReplace, DWORD connectFlags)
{
    use = DriveLetterUse{};
    use.localName = localName;
    use.path = networkPath;
    const DWORD answer = ReadFoundConnection(localName, use);
    const bool foundPath = use.found != DriveLetterState::Free && MapFunctions::IsSamePath(use.foundRemoteName, networkPath);
    if (foundPath && use.found == DriveLetterState::Connected) {
        use.action = DriveLetterUse::Action::Reused;
        return true;
    }
    if (foundPath) {
        // The user's remembered connection of this path: brought back live, and still remembered.
        use.action = DriveLetterUse::Action::Reconnected;
        connectFlags |= CONNECT_UPDATE_PROFILE;
    } else if (Network().DriveType(RootPathOf(localName).c_str()) == DRIVE_REMOTE &&
               !ConfirmReplacement(localName, answer, use.foundRemoteName, networkPath, warnBeforeReplace)) {
        return false;
    }

    const DisconnectResult disconnected = DisconnectDrive(localName, ::GetForegroundWindow());
    if (disconnected.outcome == DisconnectOutcome::Refused)
        return false;
    if (disconnected.forced)
        Network().NotifyShell(SHCNE_DRIVEREMOVED, SHCNF_PATH | SHCNF_FLUSH, localName.c_str());

    const DWORD result = ConnectDrive(localName, networkPath, connectFlags);
    if (result == NO_ERROR) {
        Network().NotifyShell(SHCNE_DRIVEADD, SHCNF_PATH | SHCNF_FLUSH, localName.c_str());
        return true;
    }
    if (!silent)
        ReportRefusedConnection(networkPath, result);
    if (use.found != DriveLetterState::Free)
        RestoreFound(use);
    return false;
}

bool MapToFreeLetter(const std::string& networkPath, std::string& driveLetter, DriveLetterUse& use, bool silent)
{
    std::set<std::string> taken;
    DWORD result = NO_ERROR;
    for (int attempt = 0; attempt < kFreeLetterAttempts; ++attempt) {
        bool alreadyMapped = false;
        const std::string letter = ChooseFreeLetter(networkPath, taken, alreadyMapped);
        if (letter.empty()) {
            Logging::OutToLogFile("MapFunctions::QuickMap | No media units available for mapping            were found.\n");
            ShowMappingMessage(CommonText(IDS_ERR_NO_FREE_DRIVE_LETTER));
            return false;
        }
        const std::string localName = letter + ":";
        driveLetter = localName;
        // The letter serves the path, or is remembered for it and is connected again; should
        // another program have changed it since the scan, replacing that is asked as always.
        if (alreadyMapped)
            return MapToLetter(networkPath, localName, use, silent, true, 0);
        use = DriveLetterUse{};
        use.localName = localName;
        use.path = networkPath;
        result = ConnectDrive(localName, networkPath);
        if (result == NO_ERROR) {
            Network().NotifyShell(SHCNE_DRIVEADD, SHCNF_PATH | SHCNF_FLUSH, localName.c_str());
            return true;
        }
        if (result != ERROR_ALREADY_ASSIGNED && result != ERROR_DEVICE_ALREADY_REMEMBERED)
            break;
        LogFormatted("MapFunctions::QuickMap | %s was taken meanwhile, trying another letter\n", localName.c_str());
        taken.insert(letter);
    }
    if (!silent)
        ReportRefusedConnection(networkPath, result);
    return false;
}

// Whether the end of a mapping leaves a letter alone: the mapping did not connect it, or
// another request took it since.
bool LeftToItsUser(const DriveLetterUse& use, const char* member)
{
    if (!use.ConnectedByMapping())
        return true;
    if (StillServes(use))
        return false;
    LogFormatted("MapFunctions::%s | %s no longer serves %s: left as it is\n", member, use.localName.c_str(),
                 use.path.c_str());
    return true;
}

} // namespace

bool MapFunctions::QuickMap(const std::string& networkPath, std::string& driveLetter, std::string& previousConnection,
                            bool silent, bool warnBeforeReplace)
{
    DriveLetterUse use;
    const bool mapped = QuickMap(networkPath, driveLetter, use, silent, warnBeforeReplace);
    previousConnection = use.foundRemoteName;
    return mapped;
}

bool MapFunctions::QuickMap(const std::string& networkPath, std::string& driveLetter, DriveLetterUse& use, bool silent,
                            bool warnBeforeReplace)
{
    use = DriveLetterUse{};
    if (const std::string problem = ConnectionLengthProblem(networkPath); !problem.empty()) {
        LogFormatted("MapFunctions::QuickMap | network path of %d characters refused\n",
                     static_cast<int>(networkPath.size()));
        ShowMappingMessage(problem, CommonText(IDS_CAPTION_CONNECT_DEVICE));
        return false;
    }
    if (driveLetter.empty())
        return MapToFreeLetter(networkPath, driveLetter, use, silent);

    const std::string localName = LocalNameOfLetter(driveLetter);
    if (localName.empty()) {
        LogFormatted("MapFunctions::QuickMap | '%s' is no drive letter, %s not mapped\n", driveLetter.c_str(),
                     networkPath.c_str());
        ShowMappingMessage(FormatText(CommonText(IDS_ERR_NOT_A_DRIVE_LETTER_FMT), driveLetter, networkPath),
                           CommonText(IDS_CAPTION_CONNECT_DEVICE));
        return false;
    }
    return MapToLetter(networkPath, localName, use, silent, warnBeforeReplace, 0);
}

bool MapFunctions::RestoreLetter(const DriveLetterUse& use)
{
    if (LeftToItsUser(use, "RestoreLetter"))
        return true;
    if (use.found == DriveLetterState::Free)
        return UnMap(use.localName);
    DriveLetterUse restored;
    return MapToLetter(use.foundRemoteName, use.localName, restored, false, true, FoundConnectionFlags(use));
}

bool MapFunctions::ReleaseLetter(const DriveLetterUse& use)
{
    if (LeftToItsUser(use, "ReleaseLetter"))
        return true;
    if (!UnMap(use.localName))
        return false;
    if (use.found != DriveLetterState::Free && use.foundPersistent) {
        const DWORD result =
            ConnectDrive(use.localName, use.foundRemoteName, CONNECT_UPDATE_PROFILE | CONNECT_DEFERRED);
        if (result != NO_ERROR)
            LogFormatted("MapFunctions::ReleaseLetter | %s could not be remembered for %s again: %u\n",
                         use.localName.c_str(), use.foundRemoteName.c_str(), static_cast<unsigned>(result));
    }
    return true;
}

int MapFunctions::GetDriveLetters(int mode, std::vector<std::string>& letters, const std::string& networkPath,
                                  bool* alreadyMapped)
{
    Logging::OutToLogFile("MapFunctions::GetDriveLetters()\n");
    letters.clear();
    int proposed = -1;
    const auto logError = [](char, DWORD error) {
        LogFormatted("MapFunctions::GetDriveLetters() |                Unexpected error when calling WNetGetConnection : %u\n",
                     static_cast<unsigned>(error));
    };
    for (const DriveLetterEntry& entry : ListNetworkDriveLetters(logError)) {
        const std::string letter(1, entry.letter);
        if (entry.state == DriveLetterState::Free) {
            letters.push_back(letter);
            if (proposed < 0)
                proposed = static_cast<int>(letters.size()) - 1;
            continue;
        }
        // A remembered letter of the path counts too: mapping connects it again.
        if (entry.state != DriveLetterState::Free && !networkPath.empty() && IsSamePath(entry.remoteName, networkPath)) {
            letters.push_back(letter);
            proposed = static_cast<int>(letters.size()) - 1;
            if (alreadyMapped)
                *alreadyMapped = true;
            break;
        }
        if (mode == 0)
            letters.push_back(letter);
    }
    return proposed;
}

bool MapFunctions::UnMap(const std::string& driveLetter)
{
    const std::string localName = LocalNameOfLetter(driveLetter);
    if (localName.empty())
        return false;
    const DisconnectResult result = DisconnectDrive(localName, ::GetForegroundWindow());
    if (result.outcome == DisconnectOutcome::Disconnected || result.error == ERROR_NOT_CONNECTED)
        return true;
    if (result.outcome == DisconnectOutcome::Failed)
        LogFormatted("MapFunctions::UnMap | %s could not be disconnected: %u\n", localName.c_str(),
                     static_cast<unsigned>(result.error));
    return false;
}

std::string MapFunctions::RetrieveShortPathName(const std::string& path)
{
    char buffer[kShortPathBuffer + 1]{};
    const DWORD length = Network().ShortPathName(path.c_str(), buffer, kShortPathBuffer);
    if (length == 0 || length > kShortPathBuffer)
        return path;
    return std::string(buffer, length);
}

bool MapFunctions::IsSamePath(const std::string& first, const std::string& second)
{
    return EqualsNoCase(RetrieveShortPathName(first), RetrieveShortPathName(second));
}
