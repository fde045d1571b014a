#pragma once

#include "setup_script_answers.h"
#include "wizard_page.h"

#include <string>

// The pages of the client setup script wizard. Each shows the answers it asks for and stores
// them when the user leaves it.

class ScriptStartPage final : public WizardPage {
public:
    ScriptStartPage();

protected:
    DWORD Buttons() const override { return PSWIZB_NEXT; }
};

// A directory the client user is asked for, or the one the script gives.
class ScriptLocationPage : public WizardPage {
public:
    ScriptLocationPage(UINT templateId, bool& prompt, std::string& directory);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_NEXT; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnKillActive() override;

private:
    void EnableDirectory();

    bool& prompt_;
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
class ScriptActionsPage final : public WizardPage {
public:
    explicit ScriptActionsPage(SetupScriptAnswers& answers);

protected:
    DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_NEXT; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnKillActive() override;

private:
    void EnableActions();

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
