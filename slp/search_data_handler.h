#pragma once

#include "base/critical_section.h"
#include "probestar_api.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

// One service on its way: its URL, and its attribute list once that has been read.
struct ServiceEntry {
    std::string url;
    std::string attributeList;
};

// The work area shared by the thread that collects URLs, the attribute readers and the
// thread that delivers services. Every member is guarded by the handler's critical section.
class PROBESTAR_API SearchDataHandler {
public:
    SearchDataHandler();
    ~SearchDataHandler();
    SearchDataHandler(const SearchDataHandler&) = delete;
    SearchDataHandler& operator=(const SearchDataHandler&) = delete;

    // A URL reported by the network: queued for its attributes unless it came before.
    void CollectURL(const char* url);
    // No more URLs will come; wakes whoever waits for them.
    void FinishURLCollection();
    bool URLCollectionFinished();

    // An attribute reader counts itself in before it starts and out when it ends.
    void AddThreadRef();
    void ReleaseThreadRef();
    bool ReadersAlive();

    // The next URL that waits for its attributes, or null.
    std::unique_ptr<ServiceEntry> TakeIncompleteServiceObject();
    void AddCompleteServiceObject(std::unique_ptr<ServiceEntry> entry);
    // The next service that waits for delivery, or null.
    std::unique_ptr<ServiceEntry> TakeCompleteServiceObject();
    // Drops whatever is still queued.
    void FreeServiceObjects();

private:
    std::vector<std::string> collectedURLs_;
    std::deque<std::unique_ptr<ServiceEntry>> incomplete_;
    std::deque<std::unique_ptr<ServiceEntry>> complete_;
    CriticalSection section_;
    bool collectionFinished_ = false;
    unsigned readerCount_ = 0;
};
