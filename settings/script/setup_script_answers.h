#pragma once

#include <string>

// What the client setup script wizard asks: for each question of the client installation,
// whether the client user is asked or which answer the script gives.
struct SetupScriptAnswers {
    bool promptInstallationDirectory = false;
    std::string installationDirectory;
    // The last part of the computer's program files folder ("Program Files"): a directory that
    // starts with it in percent signs means that folder on each client's computer.
    std::string programFilesFolder;
    bool promptDataLocation = false;
    std::string dataLocation;
    bool promptActions = false;
    bool launchTutorial = false;
    bool createShortcut = true;
    bool completelySilent = false;
};
