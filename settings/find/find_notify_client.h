#pragma once

#include "com/com_object.h"
#include "nsinterfaces.h"

class FindResultsView;

// The Find dialog's own client of the search module: removals and changes of items in the
// folders where results were found go on to the results; additions and the ends of searches
// elsewhere do not concern them. The search module calls it on the dialog's thread.
class FindNotifyClient final : public ComObject<FindNotifyClient, INotifyNSClient> {
public:
    explicit FindNotifyClient(const FindResultsView* results) : results_(results) {}

    // The results are going: later calls find no view.
    void Detach() { results_ = nullptr; }

    STDMETHODIMP AddItem(CacheItemStruct) override { return S_OK; }
    STDMETHODIMP RemoveItem(CacheItemStruct item) override;
    STDMETHODIMP UpdateItem(CacheItemStruct item) override;
    STDMETHODIMP SearchDone() override { return S_OK; }

private:
    const FindResultsView* results_;
};
