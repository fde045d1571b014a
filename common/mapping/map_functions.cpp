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

// What a letter was connected to before a mapping replaced it, to put it back as it was.
struct PreviousConnection {
    std::string remoteName;
    bool remembered = false;
    bool active = false;
};

void RestorePrevious(const std::string& localName, const PreviousConnection& previous)
{
    DWORD flags = 0;
    if (previous.remembered)
        flags |= CONNECT_UPDATE_PROFILE;
    if (previous.remembered && !previous.active)
        flags |= CONNECT_DEFERRED;
    const DWORD result = ConnectDrive(localName, previous.remoteName, flags);
    if (result != NO_ERROR)
        LogFormatted("MapFunctions::QuickMap | could not restore %s to %s: %u\n", localName.c_str(),
                     previous.remoteName.c_str(), static_cast<unsigned>(result));
    Network().NotifyShell(SHCNE_DRIVEADD, SHCNF_PATH, localName.c_str());
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

bool MapToFreeLetter(const std::string& networkPath, std::string& driveLetter, bool silent)
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
        if (alreadyMapped)
            return true;
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

bool MapToLetter(const std::string& networkPath, const std::string& localName, std::string& previousConnection,
                 bool silent, bool warnBeforeReplace)
{
    PreviousConnection previous;
    const DWORD answer = QueryConnection(localName, previous.remoteName);
    if (answer == NO_ERROR || answer == ERROR_CONNECTION_UNAVAIL) {
        previousConnection = previous.remoteName;
        // Only a live connection to the same share is already mapped; a remembered one that is
        // not connected would leave the caller opening a dead drive.
        if (answer == NO_ERROR && MapFunctions::IsSamePath(previous.remoteName, networkPath))
            return true;
        previous.active = answer == NO_ERROR;
        previous.remembered = answer == ERROR_CONNECTION_UNAVAIL || IsRememberedForLogOn(localName);
    } else {
        previous.remoteName.clear();
    }

    if (Network().DriveType(RootPathOf(localName).c_str()) == DRIVE_REMOTE &&
        !ConfirmReplacement(localName, answer, previous.remoteName, networkPath, warnBeforeReplace))
        return false;

    const DisconnectResult disconnected = DisconnectDrive(localName, ::GetForegroundWindow());
    if (disconnected.outcome == DisconnectOutcome::Refused)
        return false;
    if (disconnected.forced)
        Network().NotifyShell(SHCNE_DRIVEREMOVED, SHCNF_PATH | SHCNF_FLUSH, localName.c_str());

    const DWORD result = ConnectDrive(localName, networkPath);
    if (result == NO_ERROR) {
        Network().NotifyShell(SHCNE_DRIVEADD, SHCNF_PATH | SHCNF_FLUSH, localName.c_str());
        return true;
    }
    if (!silent)
        ReportRefusedConnection(networkPath, result);
    if (!previous.remoteName.empty())
        RestorePrevious(localName, previous);
    return false;
}

} // namespace

bool MapFunctions::QuickMap(const std::string& networkPath, std::string& driveLetter, std::string& previousConnection,
                            bool silent, bool warnBeforeReplace)
{
    previousConnection.clear();
    if (const std::string problem = ConnectionLengthProblem(networkPath); !problem.empty()) {
        LogFormatted("MapFunctions::QuickMap | network path of %d characters refused\n",
                     static_cast<int>(networkPath.size()));
        ShowMappingMessage(problem, CommonText(IDS_CAPTION_CONNECT_DEVICE));
        return false;
    }
    if (driveLetter.empty())
        return MapToFreeLetter(networkPath, driveLetter, silent);

    const std::string localName = LocalNameOfLetter(driveLetter);
    if (localName.empty()) {
        LogFormatted("MapFunctions::QuickMap | '%s' is no drive letter, %s not mapped\n", driveLetter.c_str(),
                     networkPath.c_str());
        ShowMappingMessage(FormatText(CommonText(IDS_ERR_NOT_A_DRIVE_LETTER_FMT), driveLetter, networkPath),
                           CommonText(IDS_CAPTION_CONNECT_DEVICE));
        return false;
    }
    return MapToLetter(networkPath, localName, previousConnection, silent, warnBeforeReplace);
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
        // A remembered letter that is not connected does not serve the path yet.
        if (entry.state == DriveLetterState::Connected && !networkPath.empty() &&
            IsSamePath(entry.remoteName, networkPath)) {
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
