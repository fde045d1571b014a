#pragma once

#include "setup_script_answers.h"
#include "ui/property_sheet.h"

#include <string>

// The client setup script wizard: five pages ask what the client installation asks, and Finish
// writes the script into the folder of the client setup files.
class ClientSetupScriptWizard final : public Wizard {
public:
    ClientSetupScriptWizard();

private:
    SetupScriptAnswers answers_;
};

// What the wizard proposes: the product's folder below each client's program files folder,
// the public folder data location of this computer, no question left to the client user.
SetupScriptAnswers ProposedScriptAnswers();
// "%Program Files%\Maker\Product": the product's folder below each client's program files folder.
std::string ProposedInstallationDirectory(const std::string& programFilesFolder);
