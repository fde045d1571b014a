#include "setup_script_update.h"

#include "client_setup_script.h"
#include "setup_folder.h"
#include "logging/logging.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "sheet/setting_values.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

constexpr char kCaller[] = "NSPropertySheet::UpdateSetupScript";

} // namespace

void OfferSetupScriptUpdate(HWND owner)
{
    const std::string caption = CommonText(IDS_CAPTION_UPDATE_SETUP_SCRIPT);
    if (!AskYesNo(owner, CommonText(IDS_ASK_UPDATE_SETUP_SCRIPT), caption))
        return;
    const std::optional<std::string> setupFolder = SetupFolderForScript(owner, caption, kCaller);
    if (!setupFolder)
        return;
    const std::string dataLocation = ReadSettingText(SettingsHive::Machine, IDS_GLOBAL_DATA_LOCATION_VALUE, kCaller);
    ClientSetupScript script(*setupFolder);
    if (!script.Load() || !script.SetEntry(CommonText(IDS_SCRIPT_SECTION_DIALOG_DATA),
                                           CommonText(IDS_SCRIPT_KEY_GLOBAL_DATA_LOCATION), dataLocation)) {
        LogFormatted("%s() - refused to change %s\n", kCaller, script.Path());
        ShowErrorPrompt(owner, FormatText(ProgramText(IDS_SETUP_SCRIPT_REFUSED_FMT), script.Path()), caption);
        return;
    }
    if (!script.Save()) {
        LogFormatted("%s() - could not write %s, error %d\n", kCaller, script.Path(), static_cast<int>(::GetLastError()));
        ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_SETUP_SCRIPT_NOT_SAVED_FMT), script.Path()), caption);
    }
}
