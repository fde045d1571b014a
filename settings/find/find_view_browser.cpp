#include "find_view_browser.h"

STDMETHODIMP FindViewBrowser::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = dialog_;
    return S_OK;
}

STDMETHODIMP FindViewBrowser::GetViewStateStream(DWORD, IStream** stream)
{
    if (stream)
        *stream = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FindViewBrowser::GetControlWindow(UINT, HWND* window)
{
    if (window)
        *window = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FindViewBrowser::SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result)
{
    if (result)
        *result = 0;
    return E_NOTIMPL;
}

STDMETHODIMP FindViewBrowser::QueryActiveShellView(IShellView** view)
{
    // No view is active here: the view takes this to mean a host that is not Explorer.
    if (view)
        *view = nullptr;
    return E_NOTIMPL;
}
