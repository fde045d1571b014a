#pragma once

#include "find_search.h"

#include <mutex>
#include <string>
#include <vector>

// Where a search stands, as the worker and the dialog see it.
enum class FindState : int {
    Idle = 0,
    Searching = 1,
    StopAndClear = 3,
    CloseRequested = 4,
};

// What the search's worker and the dialog's thread share, each part under one lock: the state,
// the items found and not yet shown (handed over in batches), and the folders in which shown
// items were found, each once.
class FindSearchState {
public:
    FindState State() const;
    void SetState(FindState state);
    // Sets the state unless it is already `unless` (a close requested stays requested).
    void SetStateUnless(FindState state, FindState unless);

    // Queues a found item; true when the queue was empty, so the dialog has to be told.
    bool QueueFound(FoundItem&& found);
    std::vector<FoundItem> TakeFound();

    // Records the folder of a shown item; true when it was not listed yet.
    bool AddFoundFolder(const std::string& folderPath);
    std::vector<std::string> FoundFolders() const;
    void ClearFoundFolders();

private:
    mutable std::mutex lock_;
    FindState state_ = FindState::Idle;
    std::vector<FoundItem> pending_;
    std::vector<std::string> foundFolders_;
};
