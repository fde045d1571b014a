#pragma once

#include "setup_script_answers.h"

#include <windows.h>

#include <string>

// Writes the client setup script of the wizard's answers into the folder of the client setup
// files, in place of the script there before, and tells the user (under caption) where it was
// saved or that it was not. The old script stays whole unless the new one was written whole.
// True when the script was saved.
bool CreateSetupScript(HWND owner, const SetupScriptAnswers& answers, const std::string& caption);
