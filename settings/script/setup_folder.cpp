#include "setup_folder.h"

#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "sheet/setting_values.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

bool IsAbsolutePath(const std::string& path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]))
        return true;
    // A network path names a server and, after it, a share.
    if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2]))
        return false;
    const size_t shareStart = path.find_first_of("\\/", 2);
    return shareStart != std::string::npos && shareStart + 1 < path.size() && !IsSeparator(path[shareStart + 1]);
}

std::optional<std::string> SetupFolderForScript(HWND owner, const std::string& caption, const char* caller)
{
    const std::string folder = ReadSettingText(SettingsHive::Machine, IDS_CLIENT_SETUP_LOCATION_VALUE, caller);
    if (folder.empty()) {
        ShowErrorPrompt(owner, CommonText(IDS_ERR_NO_CLIENT_SETUP_LOCATION), caption);
        return std::nullopt;
    }
    // A relative location would put the script wherever the program happens to run.
    if (!IsAbsolutePath(folder)) {
        ShowErrorPrompt(owner, FormatText(ProgramText(IDS_SETUP_LOCATION_NOT_ABSOLUTE_FMT), folder), caption);
        return std::nullopt;
    }
    return folder;
}
