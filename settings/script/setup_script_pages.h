#pragma once

#include "setup_script_answers.h"
#include "wizard_page.h"

#include <initializer_list>
#include <string>
#include <vector>

// The pages of the client setup script wizard. Each shows the answers it asks for and stores
// them when the user leaves it.

class ScriptStartPage final : public WizardPage {
public:
    ScriptStartPage();

protected:
    DWORD Buttons() const override { return PSWIZB_NEXT; }
};

// A question of the client installation: left to the client user ("Prompt"), or answered by the
// script ("Use"), with the controls of that answer available only then.
class ScriptChoicePage : public WizardPage {
public:
    ScriptChoicePage(UINT templateId, std::initializer_list<int> productTexts, bool& prompt,
                     std::initializer_list<int> answerControls);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_NEXT; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnKillActive() override;

private:
    void EnableAnswer();

    bool& prompt_;
    std::vector<int> answerControls_;
};

// A directory the client user is asked for, or the one the script gives.
class ScriptLocationPage : public ScriptChoicePage {
public:
    ScriptLocationPage(UINT templateId, bool& prompt, std::string& directory);

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;

private:
    std::string& directory_;
};

// The installation directory, with a note on the program files placeholder.
class ScriptInstallationPage final : public ScriptLocationPage {
public:
    explicit ScriptInstallationPage(SetupScriptAnswers& answers);

protected:
    bool OnInitDialog() override;

private:
    const SetupScriptAnswers& answers_;
};

// The actions after the installation: asked for, or the script's tutorial and shortcut.
class ScriptActionsPage final : public ScriptChoicePage {
public:
    explicit ScriptActionsPage(SetupScriptAnswers& answers);

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;

private:
    SetupScriptAnswers& answers_;
};

// Whether the installation shows no dialog at all; Finish writes the script, and the wizard
// stays open when it could not be written.
class ScriptFinishPage final : public WizardPage {
public:
    explicit ScriptFinishPage(SetupScriptAnswers& answers);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_FINISH; }
    bool OnInitDialog() override;
    bool OnWizardFinish() override;

private:
    SetupScriptAnswers& answers_;
};
