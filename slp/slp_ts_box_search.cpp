#include "slp_ts_box_search.h"

#include "attribute_reader.h"
#include "base/scoped_handle.h"
#include "lumivex_service.h"
#include "search_events.h"
#include "slp_query.h"

#include <memory>
#include <new>
#include <utility>

namespace {

constexpr int kAttributeReaders = 5;
constexpr DWORD kDeliveryWaitMs = 5000;

// The attribute readers of one search; they are waited for before the search's work area may
// go away.
class ReaderThreads {
public:
    explicit ReaderThreads(SearchDataHandler& handler)
    {
        for (int i = 0; i < kAttributeReaders; ++i) {
            // Counted in before it runs, so that the delivery loop never takes a reader that
            // has not started yet for one that has ended.
            handler.AddThreadRef();
            HANDLE thread = ::CreateThread(nullptr, 0, AttributeReaderThread, &handler, 0, nullptr);
            if (thread)
                threads_[i].Reset(thread);
            else
                handler.ReleaseThreadRef();
        }
    }
    ~ReaderThreads()
    {
        for (ScopedKernelHandle& thread : threads_) {
            if (thread)
                ::WaitForSingleObject(thread.Get(), INFINITE);
        }
    }
    ReaderThreads(const ReaderThreads&) = delete;
    ReaderThreads& operator=(const ReaderThreads&) = delete;

private:
    ScopedKernelHandle threads_[kAttributeReaders];
};

} // namespace

DiscoverySearch::~DiscoverySearch() = default;

SLPTSBoxSearch::SLPTSBoxSearch() = default;

SLPTSBoxSearch::~SLPTSBoxSearch()
{
    if (callbackThread_)
        ::CloseHandle(callbackThread_);
}

void SLPTSBoxSearch::StartSearch(DiscoveryReplyInterface* reply, bool)
{
    reply_ = reply;
    running_ = 1;
    const SearchEventSet events;
    {
        const ReaderThreads readers(data_);
        SLPHandle slp = nullptr;
        if (::SLPOpen(kLumivexLanguage, SLP_TRUE, &slp) == SLP_OK) {
            try {
                CriticalSectionLock lock(section_);
                handles_.push_back(slp);
            } catch (const std::bad_alloc&) {
                // The list is bookkeeping; the search goes on without the entry.
            }
            if (::SLPFindSrvs(slp, kLumivexServiceType, kLumivexScope, kLumivexPredicate,
                              URLCallback, this) != SLP_OK)
                data_.FinishURLCollection();
        } else {
            // No callback will ever come to end the collection.
            data_.FinishURLCollection();
        }
        DeliverServices();
        WaitForCallbackThread();
        if (slp)
            ::SLPClose(slp);
    }
    data_.FreeServiceObjects();
}

SLPBoolean SLPTSBoxSearch::URLCallback(SLPHandle, const char* url, unsigned short, SLPError errorCode,
                                       void* cookie)
{
    auto* search = static_cast<SLPTSBoxSearch*>(cookie);
    search->RecordCallbackThread();
    if (!search->data_.URLCollectionFinished() && errorCode == SLP_OK) {
        search->data_.CollectURL(url);
        return SLP_TRUE;
    }
    search->data_.FinishURLCollection();
    return SLP_FALSE;
}

void SLPTSBoxSearch::RecordCallbackThread()
{
    CriticalSectionLock lock(section_);
    if (callbackThread_ == nullptr)
        callbackThread_ = ::OpenThread(SYNCHRONIZE, FALSE, ::GetCurrentThreadId());
}

void SLPTSBoxSearch::WaitForCallbackThread()
{
    HANDLE thread = nullptr;
    {
        CriticalSectionLock lock(section_);
        thread = std::exchange(callbackThread_, nullptr);
    }
    if (thread) {
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
    }
}

void SLPTSBoxSearch::DeliverServices()
{
    for (;;) {
        // Look before waiting: wake-ups of an auto-reset event merge, so a wait with work
        // already queued could sit out its whole time.
        std::unique_ptr<ServiceEntry> entry = data_.TakeCompleteServiceObject();
        if (!entry) {
            if (!data_.ReadersAlive())
                return;
            WaitForSearchEvent(SearchEvent::ServiceComplete, kDeliveryWaitMs);
            continue;
        }
        std::unique_ptr<LumivexService> service;
        try {
            service = std::make_unique<LumivexService>(entry->url.c_str(), entry->attributeList.c_str());
        } catch (const std::bad_alloc&) {
            continue;
        }
        if (service->IsTessaro() && reply_ != nullptr)
            reply_->ServiceFound(service.release());
    }
}
