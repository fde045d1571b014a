#include "search_data_handler.h"

#include "diagnostic.h"
#include "search_events.h"

#include <algorithm>
#include <new>

SearchDataHandler::SearchDataHandler() = default;
SearchDataHandler::~SearchDataHandler() = default;

void SearchDataHandler::CollectURL(const char* url)
{
    if (url == nullptr || *url == '\0')
        return;
    try {
        CriticalSectionLock lock(section_);
        if (std::find(collectedURLs_.begin(), collectedURLs_.end(), url) != collectedURLs_.end()) {
            FormatDiagnostic("%s already exists.\n", url);
            return;
        }
        std::string copy(url);
        auto entry = std::make_unique<ServiceEntry>();
        entry->url = url;
        // Make room first: once the entry is queued, recording the URL can no longer fail.
        if (collectedURLs_.size() == collectedURLs_.capacity())
            collectedURLs_.reserve(std::max<std::size_t>(8, collectedURLs_.size() * 2));
        incomplete_.push_back(std::move(entry));
        collectedURLs_.push_back(std::move(copy));
    } catch (const std::bad_alloc&) {
        return;
    }
    SignalSearchEvent(SearchEvent::NewService);
}

void SearchDataHandler::FinishURLCollection()
{
    bool readersAlive = false;
    {
        CriticalSectionLock lock(section_);
        collectionFinished_ = true;
        readersAlive = readerCount_ > 0;
    }
    SignalSearchEvent(SearchEvent::NewService);
    if (!readersAlive) {
        SignalSearchEvent(SearchEvent::DataBlockFree);
        SignalSearchEvent(SearchEvent::ServiceComplete);
    }
}

bool SearchDataHandler::URLCollectionFinished()
{
    CriticalSectionLock lock(section_);
    return collectionFinished_;
}

void SearchDataHandler::AddThreadRef()
{
    CriticalSectionLock lock(section_);
    ++readerCount_;
}

void SearchDataHandler::ReleaseThreadRef()
{
    unsigned before = 0;
    {
        CriticalSectionLock lock(section_);
        before = readerCount_;
        if (readerCount_ > 0)
            --readerCount_;
        FormatDiagnostic("\r\nReleaseThreadRef, cnt now %u\r\n", readerCount_);
    }
    if (before == 1) {
        SignalSearchEvent(SearchEvent::DataBlockFree);
        SignalSearchEvent(SearchEvent::ServiceComplete);
    }
}

bool SearchDataHandler::ReadersAlive()
{
    CriticalSectionLock lock(section_);
    return readerCount_ > 0;
}

std::unique_ptr<ServiceEntry> SearchDataHandler::TakeIncompleteServiceObject()
{
    std::unique_ptr<ServiceEntry> entry;
    bool othersRemain = false;
    {
        CriticalSectionLock lock(section_);
        if (incomplete_.empty())
            return nullptr;
        entry = std::move(incomplete_.front());
        incomplete_.pop_front();
        othersRemain = !incomplete_.empty();
        if (othersRemain)
            FormatDiagnostic("RemoveIncompleteServiceObject; reset event!");
    }
    if (othersRemain)
        SignalSearchEvent(SearchEvent::NewService);
    return entry;
}

void SearchDataHandler::AddCompleteServiceObject(std::unique_ptr<ServiceEntry> entry)
{
    {
        CriticalSectionLock lock(section_);
        complete_.push_back(std::move(entry));
    }
    SignalSearchEvent(SearchEvent::ServiceComplete);
}

std::unique_ptr<ServiceEntry> SearchDataHandler::TakeCompleteServiceObject()
{
    std::unique_ptr<ServiceEntry> entry;
    bool othersRemain = false;
    {
        CriticalSectionLock lock(section_);
        if (complete_.empty())
            return nullptr;
        entry = std::move(complete_.front());
        complete_.pop_front();
        othersRemain = !complete_.empty();
    }
    if (othersRemain)
        SignalSearchEvent(SearchEvent::ServiceComplete);
    return entry;
}

void SearchDataHandler::FreeServiceObjects()
{
    CriticalSectionLock lock(section_);
    incomplete_.clear();
    complete_.clear();
}
