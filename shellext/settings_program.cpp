#include "settings_program.h"

#include "base/module_path.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"

#include <windows.h>
#include <shellapi.h>

bool StartSettingsProgram(const std::string& parameters, const char* logPrefix)
{
    std::string folder;
    try {
        folder = ReadProgramPath();
    } catch (const RegKeyException& error) {
        LogRegKeyException(logPrefix, error);
    }
    const std::string program = folder.empty() ? std::string() : JoinPath(folder, CommonText(IDS_SETTINGS_EXE_NAME));
    if (program.empty() || ::GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        LogFormatted("%sShellExecute returned %d\n", logPrefix, static_cast<int>(ERROR_FILE_NOT_FOUND));
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
