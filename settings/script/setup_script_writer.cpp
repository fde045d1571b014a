#include "setup_script_writer.h"

#include "client_setup_script.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "setup_folder.h"
#include "setup_script_content.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

constexpr char kCreateCaller[] = "ClientSetupScriptWizard::CreateScript";

} // namespace

bool CreateSetupScript(HWND owner, const SetupScriptAnswers& answers, const std::string& caption)
{
    const std::optional<std::string> folder = SetupFolderForScript(owner, caption, kCreateCaller);
    if (!folder)
        return false;
    // Not loaded: the new script replaces the old one whole.
    ClientSetupScript script(*folder);
    bool accepted = true;
    for (const SetupScriptEntry& entry : SetupScriptEntries(answers))
        accepted = accepted && script.SetEntry(entry.section, entry.key, entry.value);
    if (!accepted || !script.Save()) {
        if (accepted)
            LogFormatted("%s() - could not write %s, error %d\n", kCreateCaller, script.Path(), static_cast<int>(::GetLastError()));
        else
            LogFormatted("%s() - an answer is no single line of text\n", kCreateCaller);
        ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_SETUP_SCRIPT_NOT_SAVED_FMT), script.Path()), caption);
        return false;
    }
    ShowPrompt(owner, FormatText(CommonText(IDS_SETUP_SCRIPT_SAVED_FMT), script.Path()), caption, MB_OK | MB_ICONINFORMATION);
    return true;
}
