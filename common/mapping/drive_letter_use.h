#pragma once

#include "basalt_api.h"
#include "mapping/drive_connection.h"

#include <windows.h>

#include <string>

// What one mapping found on a drive letter and what it did there, so that the letter can be
// given back exactly as the user had it, and only when the mapping itself connected it.
struct DriveLetterUse {
    enum class Action {
        Reused,        // the letter already served the path: nothing was done
        Reconnected,   // the user's remembered connection of the path was brought back, remembered
        Connected,     // the path was connected on the letter, which was free or held another path
    };

    std::string localName;   // "F:"
    std::string path;        // the network path the mapping put on the letter
    Action action = Action::Connected;
    DriveLetterState found = DriveLetterState::Free;
    std::string foundRemoteName;    // what the letter served or was remembered for before
    bool foundPersistent = false;   // that connection was remembered for the next log-on

    bool ConnectedByMapping() const { return action == Action::Connected; }
};

// The flags that connect what a letter held before as it was: remembered for the next log-on
// when it was, and only remembered (not connected now) when it was not connected.
BASALT_API DWORD FoundConnectionFlags(const DriveLetterUse& use);

// Whether the letter still serves the mapping's path: another request may have taken it since.
BASALT_API bool StillServes(const DriveLetterUse& use);

// A later mapping that found the letter serving an earlier mapping's connection takes over
// that letter when the earlier one ends: it is then the later one's to give back, to what was
// there before the earlier one. False when the later mapping did not find that connection.
BASALT_API bool TakeOverLetter(DriveLetterUse& later, const DriveLetterUse& earlier);
