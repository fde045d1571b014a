#include "transfer/ns_drop_source.h"

#include "logging/logging.h"

NSDropSource::NSDropSource() { Logging::OutToLogFile("NSDropSource::NSDropSource\n"); }

STDMETHODIMP NSDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(keyState & (MK_LBUTTON | MK_RBUTTON)))
        return DRAGDROP_S_DROP;
    return S_OK;
}

STDMETHODIMP NSDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }
