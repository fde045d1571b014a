#pragma once

#include "item/item.h"
#include "nsinterfaces.h"

#include <windows.h>

#include <string>
#include <vector>

// Adds a shortcut item ("Shortcut to ...") of each item to the folder at destination (a
// favourite folder the user chose) through the search module. A name taken there is replaced
// only when the user wants it so, and never at the cost of the item there (OfferToReplace); a
// folder that takes no such item is explained. owner owns the questions.
void AddFavoriteShortcuts(INotifyNSServer& server, const std::string& destination, const std::vector<CacheItem>& items,
                          HWND owner);
