#include "browse_request.h"

#include "deferred_call.h"
#include "logging/logging.h"

#include <wrl/client.h>

#include <memory>

namespace {

// Explorer's private question for the shell browser of its windows.
constexpr UINT kGetShellBrowser = WM_USER + 7;

} // namespace

IShellBrowser* ShellBrowserOf(HWND window)
{
    const DWORD self = ::GetCurrentProcessId();
    for (HWND current = window; current; current = ::GetParent(current)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(current, &owner);
        if (owner != self)
            break;   // another program's answer would be a pointer into its own memory
        if (auto* browser = reinterpret_cast<IShellBrowser*>(::SendMessageA(current, kGetShellBrowser, 0, 0)))
            return browser;
    }
    return nullptr;
}

bool RequestBrowse(HWND owner, ScopedPidl target, UINT flags)
{
    if (!target)
        return false;
    auto list = std::make_shared<ScopedPidl>(std::move(target));
    return PostToThisThread([owner, list, flags] {
        HWND window = owner && ::IsWindow(owner) ? owner : ::GetActiveWindow();
        IShellBrowser* browser = ShellBrowserOf(window);
        if (!browser) {
            Logging::OutToLogFile("RequestBrowse() - no shell browser to browse with\n");
            return;
        }
        const HRESULT browsed = browser->BrowseObject(list->get(), flags);
        if (FAILED(browsed))
            LogFormatted("RequestBrowse() - BrowseObject failed with 0x%08X\n", static_cast<unsigned>(browsed));
    });
}

bool RequestBrowse(IShellBrowser* browser, ScopedPidl target, UINT flags)
{
    if (!browser || !target)
        return false;
    auto list = std::make_shared<ScopedPidl>(std::move(target));
    Microsoft::WRL::ComPtr<IShellBrowser> held(browser);
    return PostToThisThread([held, list, flags] {
        const HRESULT browsed = held->BrowseObject(list->get(), flags);
        if (FAILED(browsed))
            LogFormatted("RequestBrowse() - BrowseObject failed with 0x%08X\n", static_cast<unsigned>(browsed));
    });
}
