#include "view_request.h"

#include <wrl/client.h>

bool AskActiveView(IShellBrowser& browser, UINT message)
{
    Microsoft::WRL::ComPtr<IShellView> view;
    if (FAILED(browser.QueryActiveShellView(&view)) || !view)
        return false;
    MSG request{};
    request.message = message;
    return view->TranslateAccelerator(&request) == S_OK;
}
