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
    // Only the Explorer window itself is asked: to its child windows 0x407 is a message of
    // their own class (to a status bar SB_GETBORDERS, which writes through its parameter).
    const HWND top = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (!top)
        return nullptr;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(top, &owner);
    if (owner != ::GetCurrentProcessId())
        return nullptr;   // another program's answer would be a pointer into its own memory
    return reinterpret_cast<IShellBrowser*>(::SendMessageA(top, kGetShellBrowser, 0, 0));
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
