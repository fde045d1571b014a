#include "attribute_reader.h"

#include "search_data_handler.h"
#include "search_events.h"
#include "slp.h"
#include "slp_query.h"

#include <new>

namespace {

// A bounded wait, so that a wake-up taken by another waiter on the same named event (another
// search, the search module) costs at most this long instead of stopping the reader for good.
constexpr DWORD kNewServiceWaitMs = 1000;

struct AttributeRead {
    SearchDataHandler* handler;
    std::unique_ptr<ServiceEntry> entry;
};

// Only the first reply is used.
SLPBoolean AttributeCallback(SLPHandle, const char* attributeList, SLPError errorCode, void* cookie)
{
    auto* read = static_cast<AttributeRead*>(cookie);
    if (errorCode != SLP_OK || !read->entry)
        return SLP_FALSE;
    try {
        read->entry->attributeList = attributeList != nullptr ? attributeList : "";
        read->handler->AddCompleteServiceObject(std::move(read->entry));
    } catch (const std::bad_alloc&) {
        read->entry.reset();
    }
    return SLP_FALSE;
}

void ReadAttributes(SLPHandle slp, SearchDataHandler& handler, std::unique_ptr<ServiceEntry> entry)
{
    AttributeRead read{&handler, std::move(entry)};
    const std::string url = read.entry->url;
    // A failed request leaves the entry here, and the URL is dropped with it.
    ::SLPFindAttrs(slp, url.c_str(), kLumivexScope, "", AttributeCallback, &read);
}

// The next URL to read, or null when there is none left and none will come.
std::unique_ptr<ServiceEntry> NextEntry(SearchDataHandler& handler)
{
    for (;;) {
        if (auto entry = handler.TakeIncompleteServiceObject())
            return entry;
        if (handler.URLCollectionFinished())
            return nullptr;
        WaitForSearchEvent(SearchEvent::NewService, kNewServiceWaitMs);
        if (auto entry = handler.TakeIncompleteServiceObject())
            return entry;
        if (handler.URLCollectionFinished()) {
            // Pass the wake-up on to the next reader.
            SignalSearchEvent(SearchEvent::NewService);
            return nullptr;
        }
    }
}

class SlpHandleOwner {
public:
    explicit SlpHandleOwner(SLPHandle handle) : handle_(handle) {}
    ~SlpHandleOwner() { ::SLPClose(handle_); }
    SlpHandleOwner(const SlpHandleOwner&) = delete;
    SlpHandleOwner& operator=(const SlpHandleOwner&) = delete;
    SLPHandle Get() const { return handle_; }

private:
    SLPHandle handle_;
};

} // namespace

DWORD WINAPI AttributeReaderThread(LPVOID parameter)
{
    auto& handler = *static_cast<SearchDataHandler*>(parameter);
    SLPHandle slp = nullptr;
    if (::SLPOpen(kLumivexLanguage, SLP_FALSE, &slp) == SLP_OK) {
        const SlpHandleOwner owner(slp);
        try {
            while (auto entry = NextEntry(handler))
                ReadAttributes(owner.Get(), handler, std::move(entry));
        } catch (const std::bad_alloc&) {
            // The reader ends; the others carry on with the queue.
        }
    }
    handler.ReleaseThreadRef();
    return 0;
}
