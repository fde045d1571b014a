#include "setup_script_content.h"

#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/ascii_text.h"
#include "text/text_compare.h"

#include <algorithm>
#include <vector>

namespace {

struct DataEntry {
    UINT key;
    std::string value;
};

std::vector<UINT> SilentDialogs(const SetupScriptAnswers& answers)
{
    std::vector<UINT> dialogs;
    // A completely silent installation needs every answer: with any question left to the
    // user, the dialogs around it stay.
    if (answers.completelySilent && !answers.promptInstallationDirectory && !answers.promptDataLocation &&
        !answers.promptActions) {
        dialogs = {IDS_SCRIPT_DIALOG_WELCOME,   IDS_SCRIPT_DIALOG_UNINSTALL,       IDS_SCRIPT_DIALOG_START_COPY_FILES,
                   IDS_SCRIPT_DIALOG_STATUS,    IDS_SCRIPT_DIALOG_ASK_DEST_PATH,   IDS_SCRIPT_DIALOG_FINISH};
    }
    const auto skip = [&dialogs](UINT dialog) {
        if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end())
            dialogs.push_back(dialog);
    };
    if (!answers.promptInstallationDirectory)
        skip(IDS_SCRIPT_DIALOG_ASK_DEST_PATH);
    if (!answers.promptDataLocation)
        skip(IDS_SCRIPT_DIALOG_ASK_DATA_PATH);
    if (!answers.promptActions)
        skip(IDS_SCRIPT_DIALOG_ASK_OPTIONS);
    return dialogs;
}

std::vector<DataEntry> DialogData(const SetupScriptAnswers& answers)
{
    std::vector<DataEntry> entries;
    const std::string destination = ScriptDirectory(answers.installationDirectory, answers.programFilesFolder);
    if (!destination.empty())
        entries.push_back({IDS_SCRIPT_KEY_DESTINATION_LOCATION, destination});
    const std::string dataLocation(TrimmedBlanks(answers.dataLocation));
    if (!dataLocation.empty())
        entries.push_back({IDS_SCRIPT_KEY_GLOBAL_DATA_LOCATION, dataLocation});
    entries.push_back({IDS_SCRIPT_KEY_CREATE_SHORTCUT, answers.createShortcut ? "1" : "0"});
    entries.push_back({IDS_SCRIPT_KEY_RUN_TUTORIAL, answers.launchTutorial ? "1" : "0"});
    return entries;
}

} // namespace

std::string ScriptDirectory(const std::string& directory, const std::string& programFilesFolder)
{
    const std::string trimmed(TrimmedBlanks(directory));
    if (programFilesFolder.empty())
        return trimmed;
    const std::string named = "%" + programFilesFolder + "%";
    if (trimmed.size() < named.size() || !EqualsNoCase(trimmed.substr(0, named.size()), named))
        return trimmed;
    return CommonText(IDS_PROGRAM_FILES_PLACEHOLDER) + trimmed.substr(named.size());
}

std::vector<SetupScriptEntry> SetupScriptEntries(const SetupScriptAnswers& answers)
{
    std::vector<SetupScriptEntry> entries;
    const std::string silent = CommonText(IDS_SCRIPT_SECTION_SILENT_DIALOGS);
    for (UINT dialog : SilentDialogs(answers))
        entries.push_back({silent, CommonText(dialog), "1"});
    const std::string data = CommonText(IDS_SCRIPT_SECTION_DIALOG_DATA);
    for (const DataEntry& entry : DialogData(answers))
        entries.push_back({data, CommonText(entry.key), entry.value});
    return entries;
}
