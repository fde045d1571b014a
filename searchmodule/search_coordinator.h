#pragma once

#include "search/disc_search.h"

#include <windows.h>

#include <memory>
#include <stop_token>
#include <thread>

// Who asked for a search: the busy answer names the search that runs.
enum class SearchOrigin { Automatic, User };

// Runs one search at a time on a worker thread and hands what it finds back to the module's
// window thread with posted messages: the changes of each server as they are written (the
// message's lParam owns a SearchOutcome), then the end of the search.
class SearchCoordinator {
public:
    SearchCoordinator(HWND window, UINT progressMessage, UINT doneMessage);
    ~SearchCoordinator();
    SearchCoordinator(const SearchCoordinator&) = delete;
    SearchCoordinator& operator=(const SearchCoordinator&) = delete;

    // S_OK when the search started, else the busy code of the search that runs.
    HRESULT Start(SearchKind kind, SearchOrigin origin);
    bool IsRunning() const { return running_; }
    // On the done message: the finished search's outcome (null when none has finished).
    std::unique_ptr<SearchOutcome> TakeOutcome();

private:
    void Run(SearchKind kind, std::stop_token stop);
    HRESULT BusyCode() const;

    HWND window_;
    UINT progressMessage_;
    UINT doneMessage_;
    std::jthread worker_;
    bool running_ = false;
    SearchKind runningKind_ = SearchKind::Quick;
    SearchOrigin runningOrigin_ = SearchOrigin::User;
    std::unique_ptr<SearchOutcome> outcome_;
};
