#include "find_search_state.h"

#include "text/text_compare.h"

#include <algorithm>
#include <utility>

FindState FindSearchState::State() const
{
    const std::lock_guard guard(lock_);
    return state_;
}

void FindSearchState::SetState(FindState state)
{
    const std::lock_guard guard(lock_);
    state_ = state;
}

void FindSearchState::SetStateUnless(FindState state, FindState unless)
{
    const std::lock_guard guard(lock_);
    if (state_ != unless)
        state_ = state;
}

bool FindSearchState::QueueFound(FoundItem&& found)
{
    const std::lock_guard guard(lock_);
    pending_.push_back(std::move(found));
    return pending_.size() == 1;
}

std::vector<FoundItem> FindSearchState::TakeFound()
{
    const std::lock_guard guard(lock_);
    return std::exchange(pending_, {});
}

bool FindSearchState::AddFoundFolder(const std::string& folderPath)
{
    const std::lock_guard guard(lock_);
    const bool listed = std::any_of(foundFolders_.begin(), foundFolders_.end(),
                                    [&](const std::string& folder) { return EqualsNoCase(folder, folderPath); });
    if (!listed)
        foundFolders_.push_back(folderPath);
    return !listed;
}

std::vector<std::string> FindSearchState::FoundFolders() const
{
    const std::lock_guard guard(lock_);
    return foundFolders_;
}

void FindSearchState::ClearFoundFolders()
{
    const std::lock_guard guard(lock_);
    foundFolders_.clear();
}
