#include "find_media_thread.h"

#include "cache/cache.h"
#include "find_search_state.h"
#include "logging/logging.h"

#include <stdexcept>

namespace {

constexpr unsigned int kUniqueNameLength = 32;

std::atomic<unsigned long> g_dialogCount{0};

} // namespace

FindEventNames FindEventNames::MakeUnique()
{
    std::string unique;
    // Without a new GUID, this process and this dialog's place among its dialogs still name
    // the events apart from any other.
    if (!Cache::GetUniqueName(unique, kUniqueNameLength))
        unique = "Find_" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++g_dialogCount);
    return {unique + "__New_NS_Search_Started__", unique + "__Kill_NS_Search_Thread__"};
}

FindMediaThread::FindMediaThread(FindSearchState& state) : state_(state), names_(FindEventNames::MakeUnique())
{
    startEvent_.Reset(::CreateEventA(nullptr, FALSE, FALSE, names_.start.c_str()));
    killEvent_.Reset(::CreateEventA(nullptr, TRUE, FALSE, names_.kill.c_str()));
    if (!startEvent_ || !killEvent_)
        throw std::runtime_error("the search's events could not be made");
    worker_ = std::thread([this] { Run(); });
    Logging::OutToLogFile("Search thread started.\n");
}

FindMediaThread::~FindMediaThread() { Stop(); }

void FindMediaThread::StartSearch(const FindRequest& request)
{
    {
        const std::lock_guard guard(requestLock_);
        request_ = request;
    }
    ::SetEvent(startEvent_.Get());
}

void FindMediaThread::Stop()
{
    ::SetEvent(killEvent_.Get());
    if (worker_.joinable())
        worker_.join();
}

void FindMediaThread::Run() noexcept
{
    try {
        // The worker opens its events by name, as any other waiter would.
        const ScopedKernelHandle start(::OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, names_.start.c_str()));
        const ScopedKernelHandle kill(::OpenEventA(SYNCHRONIZE, FALSE, names_.kill.c_str()));
        if (!start || !kill) {
            Logging::OutToLogFile("FindMediaThread: the search's events could not be opened.\n");
            return;
        }
        const HANDLE events[] = {start.Get(), kill.Get()};
        for (;;) {
            const DWORD woken = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
            if (woken == WAIT_OBJECT_0)
                RunSearch();
            else
                return;
        }
    } catch (...) {
        // Nothing may leave the thread; the dialog still works without further searches.
    }
}

void FindMediaThread::RunSearch()
{
    FindRequest request;
    {
        const std::lock_guard guard(requestLock_);
        request = request_;
    }
    try {
        SearchCache(
            request, [this] { return state_.State() == FindState::Searching; },
            [this](FoundItem&& found) {
                if (state_.QueueFound(std::move(found)))
                    Tell(kFoundMessage, 0);
            });
    } catch (const FindMediaCanceledException&) {
        Logging::OutToLogFile("Search has been canceled. Don't mind the following Exception(s).\n");
    } catch (const std::exception& error) {
        LogFormatted("FindMediaThread: the search failed: %s\n", error.what());
    }
    Tell(kSearchDoneMessage, static_cast<WPARAM>(state_.State()));
}

void FindMediaThread::Tell(UINT message, WPARAM wParam) const
{
    if (HWND dialog = dialog_.load())
        ::PostMessageA(dialog, message, wParam, 0);
}
