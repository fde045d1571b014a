#pragma once

#include "settings/auxiliary.h"

#include <windows.h>

#include <string>
#include <vector>

class SingleInstance;

// The answers of the first network set-up wizard.
struct NetworkSetupAnswers {
    int windowsNetwork = 0;
    int netWare = 0;
    SMBSearchScope scope = OwnDomain;
    // The domains chosen, for SelectedDomains.
    std::vector<std::string> domains;
    bool searchNow = true;
    bool tutorial = false;
};

// The first network set-up after an installation ("-n"): Explorer is told that My Computer
// changed; installations other than a client's then run the set-up wizard under its mutex.
void RunFirstNetworkSetup(SingleInstance& instance);

// What the answers of a finished wizard do: the domains searched (the computer's own, every
// one, or the chosen ones) and the networks are saved, a full search is started when asked for
// (and the "Scanning Network" notice shown while it starts), and the tutorial opened.
void FinishNetworkSetup(const NetworkSetupAnswers& answers, HWND owner);
