#pragma once

#include "item/item.h"

#include <windows.h>

#include <string>

enum class SearchModuleItemCall { Create, Update };

// Hands an item's record to the search module, which stores it in the folder at folderPath and
// tells every open view; its answer, logged when it is not S_OK. A module that cannot be had
// answers as one that has gone (CO_E_OBJNOTCONNECTED), so that the user is told so.
HRESULT SendToSearchModule(SearchModuleItemCall call, const std::string& folderPath, const CacheItem& item);
