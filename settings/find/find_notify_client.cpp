#include "find_notify_client.h"

#include "com/com_boundary.h"
#include "find_results_view.h"

STDMETHODIMP FindNotifyClient::RemoveItem(CacheItemStruct item)
{
    return ComBoundary("FindMediaDlg::RemoveItem()", [&] { return results_ ? results_->RemoveItem(item) : E_FAIL; });
}

STDMETHODIMP FindNotifyClient::UpdateItem(CacheItemStruct item)
{
    return ComBoundary("FindMediaDlg::UpdateItem()", [&] { return results_ ? results_->UpdateItem(item) : E_FAIL; });
}
