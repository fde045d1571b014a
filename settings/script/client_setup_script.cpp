#include "client_setup_script.h"

#include "base/file_content.h"
#include "base/module_path.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "script_text.h"

#include <windows.h>

namespace {

// A setup script holds a dozen short lines: anything near this size is not one.
constexpr std::size_t kLargestScript = 64 * 1024;

} // namespace

ClientSetupScript::ClientSetupScript(const std::string& setupFolder)
    : path_(JoinPath(setupFolder, CommonText(IDS_SETUP_SCRIPT_FILE_NAME)))
{
}

bool ClientSetupScript::Load()
{
    text_.clear();
    if (::GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        // No script yet (or no folder, which writing it then reports).
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return true;
    }
    std::optional<std::string> content = ReadFileContent(path_, kLargestScript);
    if (!content || !IsIniText(*content))
        return false;
    text_ = std::move(*content);
    return true;
}

bool ClientSetupScript::SetEntry(const std::string& section, const std::string& key, const std::string& value)
{
    if (!IsIniLine(section) || !IsIniLine(key) || !IsIniLine(value) || section.find_first_of("[]") != std::string::npos ||
        key.find('=') != std::string::npos)
        return false;
    text_ = SetIniEntry(text_, section, key, value);
    return true;
}

bool ClientSetupScript::Save() const { return ReplaceFileContent(path_, text_); }
