#include "search_events.h"

#include "module_instance.h"

namespace {

const SearchEvent kAllEvents[3] = {SearchEvent::NewService, SearchEvent::DataBlockFree,
                                   SearchEvent::ServiceComplete};

class OpenedEvent {
public:
    OpenedEvent(SearchEvent event, DWORD access)
        : handle_(::OpenEventA(access, FALSE, SearchEventName(event).c_str()))
    {
    }
    ~OpenedEvent()
    {
        if (handle_)
            ::CloseHandle(handle_);
    }
    OpenedEvent(const OpenedEvent&) = delete;
    OpenedEvent& operator=(const OpenedEvent&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

std::string SearchEventName(SearchEvent event)
{
    char name[128] = {};
    const int length = ::LoadStringA(g_hProbestarInstance, static_cast<UINT>(event), name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

void SignalSearchEvent(SearchEvent event)
{
    const OpenedEvent opened(event, EVENT_MODIFY_STATE);
    if (opened.Get())
        ::SetEvent(opened.Get());
}

bool WaitForSearchEvent(SearchEvent event, DWORD timeoutMs)
{
    const OpenedEvent opened(event, SYNCHRONIZE);
    if (!opened.Get()) {
        // Without the event the wait still takes its time, so callers do not spin.
        ::Sleep(timeoutMs);
        return false;
    }
    return ::WaitForSingleObject(opened.Get(), timeoutMs) == WAIT_OBJECT_0;
}

SearchEventSet::SearchEventSet()
{
    for (int i = 0; i < 3; ++i)
        events_[i] = ::CreateEventA(nullptr, FALSE, FALSE, SearchEventName(kAllEvents[i]).c_str());
}

SearchEventSet::~SearchEventSet()
{
    for (HANDLE event : events_) {
        if (event)
            ::CloseHandle(event);
    }
}
