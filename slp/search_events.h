#pragma once

// The three named auto-reset events of a search. Each use opens the event by name and closes
// it again, so that other processes (the search module) can wait on the same names.

#include "res/string_ids.h"

#include <windows.h>

#include <string>

enum class SearchEvent : UINT {
    NewService = IDS_EVENT_NEW_SERVICE,           // a URL waits for its attributes
    DataBlockFree = IDS_EVENT_DATABLOCK_FREE,     // no attribute reader is left
    ServiceComplete = IDS_EVENT_SERVICE_COMPLETE, // a service waits for delivery
};

std::string SearchEventName(SearchEvent event);
void SignalSearchEvent(SearchEvent event);
// True when signalled within timeoutMs.
bool WaitForSearchEvent(SearchEvent event, DWORD timeoutMs);

// Creates the three events and keeps them alive for the life of one search, so that opening
// them by name succeeds throughout.
class SearchEventSet {
public:
    SearchEventSet();
    ~SearchEventSet();
    SearchEventSet(const SearchEventSet&) = delete;
    SearchEventSet& operator=(const SearchEventSet&) = delete;

private:
    HANDLE events_[3] = {};
};
