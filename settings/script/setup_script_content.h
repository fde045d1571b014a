#pragma once

#include "setup_script_answers.h"

#include <string>
#include <vector>

// One entry of a client setup script.
struct SetupScriptEntry {
    std::string section;
    std::string key;
    std::string value;
};

// The entries of a client setup script for the wizard's answers, in the order they are
// written: the installer dialogs to skip ("Silent Dialogs"), then the answers they would have
// asked for ("Dialog Data").
std::vector<SetupScriptEntry> SetupScriptEntries(const SetupScriptAnswers& answers);

// A directory as the script stores it: blanks trimmed, and a beginning that names the program
// files folder in percent signs (in any letter case) replaced by the installer's placeholder.
std::string ScriptDirectory(const std::string& directory, const std::string& programFilesFolder);
