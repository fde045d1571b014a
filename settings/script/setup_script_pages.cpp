#include "setup_script_pages.h"

#include "res/dialwise_ids.h"
#include "setup_script_wizard.h"
#include "setup_script_writer.h"
#include "text/ascii_text.h"
#include "text/text_format.h"
#include "ui/window_text.h"

ScriptStartPage::ScriptStartPage() : WizardPage(IDD_SCRIPT_START_PAGE, {IDC_SCRIPT_WELCOME}) {}

// --- ScriptChoicePage -----------------------------------------------------------------------

ScriptChoicePage::ScriptChoicePage(UINT templateId, std::initializer_list<int> productTexts, bool& prompt,
                                   std::initializer_list<int> answerControls)
    : WizardPage(templateId, productTexts), prompt_(prompt), answerControls_(answerControls)
{
}

bool ScriptChoicePage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    ::CheckRadioButton(Window(), IDC_SCRIPT_PROMPT, IDC_SCRIPT_USE, prompt_ ? IDC_SCRIPT_PROMPT : IDC_SCRIPT_USE);
    EnableAnswer();
    return true;
}

bool ScriptChoicePage::OnCommand(int id, int code, HWND)
{
    if ((id == IDC_SCRIPT_PROMPT || id == IDC_SCRIPT_USE) && code == BN_CLICKED) {
        EnableAnswer();
        return true;
    }
    return false;
}

void ScriptChoicePage::EnableAnswer()
{
    const bool use = IsChecked(IDC_SCRIPT_USE);
    for (int id : answerControls_)
        ::EnableWindow(Item(id), use);
}

bool ScriptChoicePage::OnKillActive()
{
    prompt_ = IsChecked(IDC_SCRIPT_PROMPT);
    return true;
}

// --- ScriptLocationPage ---------------------------------------------------------------------

ScriptLocationPage::ScriptLocationPage(UINT templateId, bool& prompt, std::string& directory)
    : ScriptChoicePage(templateId, {}, prompt, {IDC_SCRIPT_DIRECTORY}), directory_(directory)
{
}

bool ScriptLocationPage::OnInitDialog()
{
    ScriptChoicePage::OnInitDialog();
    ::SetDlgItemTextA(Window(), IDC_SCRIPT_DIRECTORY, directory_.c_str());
    return true;
}

bool ScriptLocationPage::OnKillActive()
{
    ScriptChoicePage::OnKillActive();
    directory_ = TrimmedBlanks(WindowString(Item(IDC_SCRIPT_DIRECTORY)));
    return true;
}

// --- ScriptInstallationPage -----------------------------------------------------------------

ScriptInstallationPage::ScriptInstallationPage(SetupScriptAnswers& answers)
    : ScriptLocationPage(IDD_SCRIPT_INSTALLATION_PAGE, answers.promptInstallationDirectory,
                         answers.installationDirectory),
      answers_(answers)
{
}

bool ScriptInstallationPage::OnInitDialog()
{
    ScriptLocationPage::OnInitDialog();
    HWND note = Item(IDC_SCRIPT_NOTE);
    // Without a program files folder there is no placeholder to explain.
    if (answers_.programFilesFolder.empty()) {
        ::ShowWindow(note, SW_HIDE);
        return true;
    }
    const std::string named = "%" + answers_.programFilesFolder + "%";
    ::SetWindowTextA(note, FormatText(WindowString(note), named, ProposedInstallationDirectory(answers_.programFilesFolder),
                                      answers_.programFilesFolder).c_str());
    return true;
}

// --- ScriptActionsPage ----------------------------------------------------------------------

ScriptActionsPage::ScriptActionsPage(SetupScriptAnswers& answers)
    : ScriptChoicePage(IDD_SCRIPT_ACTIONS_PAGE, {IDC_SCRIPT_TUTORIAL, IDC_SCRIPT_SHORTCUT}, answers.promptActions,
                       {IDC_SCRIPT_TUTORIAL, IDC_SCRIPT_SHORTCUT}),
      answers_(answers)
{
}

bool ScriptActionsPage::OnInitDialog()
{
    ScriptChoicePage::OnInitDialog();
    Check(IDC_SCRIPT_TUTORIAL, answers_.launchTutorial);
    Check(IDC_SCRIPT_SHORTCUT, answers_.createShortcut);
    return true;
}

bool ScriptActionsPage::OnKillActive()
{
    ScriptChoicePage::OnKillActive();
    answers_.launchTutorial = IsChecked(IDC_SCRIPT_TUTORIAL);
    answers_.createShortcut = IsChecked(IDC_SCRIPT_SHORTCUT);
    return true;
}

// --- ScriptFinishPage -----------------------------------------------------------------------

ScriptFinishPage::ScriptFinishPage(SetupScriptAnswers& answers) : WizardPage(IDD_SCRIPT_FINISH_PAGE, {}), answers_(answers) {}

bool ScriptFinishPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    ::CheckRadioButton(Window(), IDC_SCRIPT_SILENT_YES, IDC_SCRIPT_SILENT_NO,
                       answers_.completelySilent ? IDC_SCRIPT_SILENT_YES : IDC_SCRIPT_SILENT_NO);
    return true;
}

bool ScriptFinishPage::OnWizardFinish()
{
    answers_.completelySilent = IsChecked(IDC_SCRIPT_SILENT_YES);
    return CreateSetupScript(Window(), answers_, WindowString(Sheet()));
}
