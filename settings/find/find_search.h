#pragma once

#include "item/item.h"

#include <functional>
#include <stdexcept>
#include <string>

// What the user asked for: the name pattern, the namespace folder to look in (empty for the
// root) and whether its sub-folders are searched too.
struct FindRequest {
    std::string pattern;
    std::string folder;
    bool includeSubfolders = true;
};

// Ends a search from deep inside its walk once it is no longer wanted.
class FindMediaCanceledException : public std::runtime_error {
public:
    FindMediaCanceledException() : std::runtime_error("the search was stopped") {}
};

// One item found, with its record built, and the folder it was found in.
struct FoundItem {
    CacheItem item;
    std::string folderPath;
};

// Walks the cache from the request's folder and hands every item whose name matches to found.
// Before each item it asks keepSearching and throws FindMediaCanceledException when the answer
// is no.
void SearchCache(const FindRequest& request, const std::function<bool()>& keepSearching,
                 const std::function<void(FoundItem&&)>& found);
