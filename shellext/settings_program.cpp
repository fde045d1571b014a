#include "settings_program.h"

#include "base/module_path.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <windows.h>
#include <shellapi.h>

namespace {

// The program in the installation folder; empty when the folder is not known.
std::string SettingsProgramFile(std::string& folder, const char* logPrefix)
{
    try {
        folder = ReadProgramPath();
    } catch (const RegKeyException& error) {
        LogRegKeyException(logPrefix, error);
    }
    return folder.empty() ? std::string() : JoinPath(folder, CommonText(IDS_SETTINGS_EXE_NAME));
}

bool Exists(const std::string& file) { return !file.empty() && ::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

bool StartSettingsProgram(const std::string& parameters, const char* logPrefix)
{
    std::string folder;
    const std::string program = SettingsProgramFile(folder, logPrefix);
    if (!Exists(program)) {
        LogFormatted("%sShellExecute returned %d\n", logPrefix, static_cast<int>(ERROR_FILE_NOT_FOUND));
        ShowErrorPrompt(::GetActiveWindow(), FormatText(CommonText(IDS_ERR_SETTINGS_PROGRAM_MISSING_FMT), ProductCaption()));
        return false;
    }
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteA(
        ::GetDesktopWindow(), "open", program.c_str(), parameters.c_str(), folder.c_str(), SW_SHOWNORMAL));
    if (result <= 32) {
        LogFormatted("%sShellExecute returned %d\n", logPrefix, static_cast<int>(result));
        return false;
    }
    return true;
}
