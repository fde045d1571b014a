#pragma once

#include "item/item.h"

#include <functional>
#include <stop_token>
#include <vector>

enum class SearchKind { Quick, Full };

// What one search changed in the database of all discs.
struct SearchOutcome {
    // Discs that were not in the database before, with all their data; FolderPath is the
    // all-discs folder.
    std::vector<CacheItem> added;
    // Discs that are gone (Location, Name and ItemType at least).
    std::vector<CacheItem> removed;
    int serversScanned = 0;
    // A stop was requested before the search reached its end.
    bool stopped = false;
};

// Told, on the search's thread, what each server changed as soon as it is written, so that
// views fill while a long search runs. Only added and removed are set.
using SearchProgress = std::function<void(SearchOutcome changes)>;

// Runs one whole search and writes what it finds to the database, one server update per
// server. Quick: the servers already in the database. Full: the networks and SMB domains of
// the user's "Disc Search" settings, plus the storage servers that SLP finds. The servers'
// shares are listed several at a time (the machine's "SearchThreads"), the SLP search runs
// meanwhile, and the database is written and `progress` told in the calling thread, server
// after server in the order of a search that lists one server after another. After a stop
// request no listing starts, and the search returns once those under way have ended. Never
// throws; neither may `progress`.
SearchOutcome RunDiscSearch(SearchKind kind, std::stop_token stop, const SearchProgress& progress = {});
