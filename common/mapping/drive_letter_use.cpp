#include "mapping/drive_letter_use.h"

#include "mapping/map_functions.h"

#include <winnetwk.h>

DWORD FoundConnectionFlags(const DriveLetterUse& use)
{
    if (!use.foundPersistent)
        return 0;
    return use.found == DriveLetterState::Remembered ? CONNECT_UPDATE_PROFILE | CONNECT_DEFERRED
                                                     : CONNECT_UPDATE_PROFILE;
}

bool StillServes(const DriveLetterUse& use)
{
    std::string remoteName;
    return QueryConnection(use.localName, remoteName) == NO_ERROR && MapFunctions::IsSamePath(remoteName, use.path);
}

bool TakeOverLetter(DriveLetterUse& later, const DriveLetterUse& earlier)
{
    if (!earlier.ConnectedByMapping() || later.found != DriveLetterState::Connected ||
        LocalNameOfLetter(later.localName) != LocalNameOfLetter(earlier.localName) ||
        !MapFunctions::IsSamePath(later.foundRemoteName, earlier.path))
        return false;
    later.found = earlier.found;
    later.foundRemoteName = earlier.foundRemoteName;
    later.foundPersistent = earlier.foundPersistent;
    later.action = DriveLetterUse::Action::Connected;
    return true;
}
