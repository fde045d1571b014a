#include "search_coordinator.h"

#include "logging/logging.h"
#include "ns_result_codes.h"

#include <objbase.h>

SearchCoordinator::SearchCoordinator(HWND window, UINT progressMessage, UINT doneMessage)
    : window_(window), progressMessage_(progressMessage), doneMessage_(doneMessage)
{
}

SearchCoordinator::~SearchCoordinator()
{
    // The search stops within the time of the listings under way.
    worker_.request_stop();
    if (worker_.joinable())
        worker_.join();
}

HRESULT SearchCoordinator::BusyCode() const
{
    if (runningKind_ == SearchKind::Quick)
        return runningOrigin_ == SearchOrigin::User ? NSS_S_USER_QUICK_BUSY : NSS_S_AUTO_QUICK_BUSY;
    return runningOrigin_ == SearchOrigin::User ? NSS_S_USER_FULL_BUSY : NSS_S_AUTO_FULL_BUSY;
}

HRESULT SearchCoordinator::Start(SearchKind kind, SearchOrigin origin)
{
    if (running_)
        return BusyCode();
    if (worker_.joinable())
        worker_.join();   // the previous search has posted its outcome already
    runningKind_ = kind;
    runningOrigin_ = origin;
    try {
        worker_ = std::jthread([this, kind](std::stop_token stop) { Run(kind, std::move(stop)); });
    } catch (const std::exception& error) {
        LogFormatted("Could not start the search thread: %s\n", error.what());
        return E_FAIL;
    }
    running_ = true;
    Logging::OutToLogFile(kind == SearchKind::Quick ? "Quick search started\n" : "Full search started\n");
    return S_OK;
}

void SearchCoordinator::Run(SearchKind kind, std::stop_token stop)
{
    auto outcome = std::make_unique<SearchOutcome>();
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        *outcome = RunDiscSearch(kind, std::move(stop), [this](SearchOutcome changes) {
            auto posted = std::make_unique<SearchOutcome>(std::move(changes));
            if (::PostMessageW(window_, progressMessage_, 0, reinterpret_cast<LPARAM>(posted.get())))
                posted.release();   // the window owns it now
        });
    } catch (...) {
        outcome->stopped = true;   // the search reports its own failures; nothing may escape the thread
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    outcome_ = std::move(outcome);
    ::PostMessageW(window_, doneMessage_, 0, 0);
}

std::unique_ptr<SearchOutcome> SearchCoordinator::TakeOutcome()
{
    if (!running_)
        return nullptr;
    if (worker_.joinable())
        worker_.join();   // the outcome is complete once the thread has ended
    running_ = false;
    return std::move(outcome_);
}
