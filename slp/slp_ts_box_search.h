#pragma once

#include "base/critical_section.h"
#include "discovery.h"
#include "probestar_api.h"
#include "search_data_handler.h"
#include "slp.h"

#include <vector>

// A search for the suite's storage servers by SLP. One object serves one search: once its URL
// collection has finished, a second StartSearch finds nothing.
class PROBESTAR_API SLPTSBoxSearch : public DiscoverySearch {
public:
    SLPTSBoxSearch();
    ~SLPTSBoxSearch() override;
    SLPTSBoxSearch(const SLPTSBoxSearch&) = delete;
    SLPTSBoxSearch& operator=(const SLPTSBoxSearch&) = delete;

    // Finds the servers, reads their attributes and hands each storage server to
    // reply->ServiceFound in this thread. The flag is not used.
    void StartSearch(DiscoveryReplyInterface* reply, bool flag) override;

private:
    static SLPBoolean URLCallback(SLPHandle slp, const char* url, unsigned short lifetime,
                                  SLPError errorCode, void* cookie);
    void RecordCallbackThread();
    void WaitForCallbackThread();
    void DeliverServices();

    int running_ = 0;
    std::vector<SLPHandle> handles_;
    CriticalSection section_;
    SearchDataHandler data_;
    DiscoveryReplyInterface* reply_ = nullptr;
    HANDLE callbackThread_ = nullptr;
};
