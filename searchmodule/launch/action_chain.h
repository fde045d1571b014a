#pragma once

#include "item/item.h"

#include <windows.h>

#include <string>
#include <vector>

// Asks the questions of a launch object's chain, in chain order, on the calling thread.
// A message box lets the chain go on or stops it; a parameter list and a file dialog add their
// answers (the values chosen, the files chosen) in the order they were given.
class ActionChain {
public:
    explicit ActionChain(HWND owner) : owner_(owner) {}

    // False as soon as the user cancels a step: nothing of the answers is to be used then.
    bool Run(const std::vector<LOAction>& actions, std::vector<std::string>& answers) const;

private:
    bool AskMessageBox(const LOAction& action) const;
    bool AskParameters(const LOAction& action, std::vector<std::string>& answers) const;
    bool AskFiles(const LOAction& action, std::vector<std::string>& answers) const;

    HWND owner_;
};
