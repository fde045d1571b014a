#include "setup_script_wizard.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/dialwise_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "setup_script_pages.h"
#include "sheet/setting_values.h"

#include <memory>

namespace {

constexpr char kProposalCaller[] = "ClientSetupScriptWizard::ClientSetupScriptWizard";

// "Program Files" of "C:\Program Files": the name the clients' installer knows the folder by.
std::string ProgramFilesFolder()
{
    std::string path;
    try {
        const RegKeyRead key = RegKey::LOCAL_MACHINE.GetKeyRead(CommonText(IDS_KEY_WINDOWS_CURRENT_VERSION));
        key.TryQueryStringValue(CommonText(IDS_PROGRAM_FILES_DIR_VALUE), path);
    } catch (const RegKeyException& error) {
        LogRegKeyException(std::string(kProposalCaller) + "() - ", error);
    }
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string ProposedInstallationDirectory(const std::string& programFilesFolder)
{
    return "%" + programFilesFolder + "%\\" + BrandingText(IDS_BRAND_MAKER_FOLDER) + "\\" +
           BrandingText(IDS_BRAND_PRODUCT_TITLE);
}

SetupScriptAnswers ProposedScriptAnswers()
{
    SetupScriptAnswers answers;
    answers.programFilesFolder = ProgramFilesFolder();
    if (!answers.programFilesFolder.empty())
        answers.installationDirectory = ProposedInstallationDirectory(answers.programFilesFolder);
    answers.dataLocation = ReadSettingText(SettingsHive::Machine, IDS_GLOBAL_DATA_LOCATION_VALUE, kProposalCaller);
    return answers;
}

ClientSetupScriptWizard::ClientSetupScriptWizard()
    : Wizard(std::string(), ::GetModuleHandleA(nullptr)), answers_(ProposedScriptAnswers())
{
    AddPage(std::make_unique<ScriptStartPage>());
    AddPage(std::make_unique<ScriptInstallationPage>(answers_));
    AddPage(std::make_unique<ScriptLocationPage>(IDD_SCRIPT_PUBLIC_FOLDERS_PAGE, answers_.promptDataLocation,
                                                 answers_.dataLocation));
    AddPage(std::make_unique<ScriptActionsPage>(answers_));
    AddPage(std::make_unique<ScriptFinishPage>(answers_));
}
