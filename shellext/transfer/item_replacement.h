#pragma once

#include "item/item.h"
#include "nsinterfaces.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// A name taken in a folder where an item is to be placed (copied, moved, or made a shortcut
// item of), as the search module answered.
struct TakenName {
    INotifyNSServer& server;
    LONG clientId = 0;
    // The folder and the name taken there.
    std::string folderPath;
    std::string name;
    // What is to take the name (a disc is in the way only of the same disc).
    const CacheItem& newcomer;
    // The item copied or moved, or of which a shortcut is made.
    const CacheItem& source;
    // The caption of the refusals: the error of the operation.
    UINT refusalCaption = 0;
    HWND owner = nullptr;
};

// Asks the user whether to replace the item that has the name, and when told so replaces it
// by what place makes, without losing it on the way: the item there is renamed aside, place
// runs, and the old item is deleted only once place succeeded; else it gets its name back.
// The item there is refused (the user is told why) when it is the source or a folder that
// holds it (both would be lost) or a folder that stays in place. The result of place (that of
// setting the item aside when that failed); none when nothing was tried.
std::optional<HRESULT> OfferToReplace(const TakenName& taken, const std::function<HRESULT()>& place);
