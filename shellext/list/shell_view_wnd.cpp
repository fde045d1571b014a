#include "shell_view_wnd.h"

#include "launch_object_icon_worker.h"
#include "folder/shell_folder.h"
#include "logging/logging.h"
#include "module_instance.h"
#include "view/view_menus.h"

#include <stdexcept>

namespace {

constexpr char kWindowClass[] = "ShellvueViewWindow";

void RegisterWindowClass()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (::GetClassInfoExA(g_hShellvueInstance, kWindowClass, &windowClass))
        return;
    windowClass = WNDCLASSEXA{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = g_hShellvueInstance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExA(&windowClass);
}

} // namespace

ShellViewWnd::ShellViewWnd(HWND parent, const RECT& rect, int viewMode, ShellViewListCtrl::Context context,
                           HINSTANCE branding, Callbacks callbacks)
    : callbacks_(std::move(callbacks))
{
    RegisterWindowClass();
    window_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                g_hShellvueInstance, nullptr);
    if (!window_)
        throw std::runtime_error("the view window could not be created");
    RECT inside{};
    ::GetClientRect(window_, &inside);
    try {
        list_ = std::make_unique<ShellViewListCtrl>(window_, inside, viewMode, std::move(context), branding);
    } catch (...) {
        ::DestroyWindow(window_);
        throw;
    }
    // Messages reach this object only once it is complete.
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
}

ShellViewWnd::~ShellViewWnd()
{
    if (window_ && ::IsWindow(window_)) {
        ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcA));
        list_.reset();
        ::DestroyWindow(window_);
    }
}

LRESULT CALLBACK ShellViewWnd::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ShellViewWnd*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    // The one exception barrier of the view's window: nothing may unwind into Explorer.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        LogFormatted("ShellViewWnd::WindowProc - Exception caught: %s \n", error.what());
    } catch (...) {
        Logging::OutToLogFile("ShellViewWnd::WindowProc - Exception caught: unknown \n");
    }
    return 0;
}

LRESULT ShellViewWnd::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        ::MoveWindow(list_->Window(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(list_->Window());
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == list_->Window() && (header.code == NM_SETFOCUS || header.code == NM_KILLFOCUS)) {
            if (callbacks_.focusChanged)
                callbacks_.focusChanged(header.code == NM_SETFOCUS);
            return 0;
        }
        if (header.code == TTN_GETDISPINFOA) {
            // The toolbar's buttons, which Explorer shows for the view.
            auto& tip = *reinterpret_cast<NMTTDISPINFOA*>(lParam);
            const std::string text = ViewMenus::ToolbarTip(static_cast<UINT>(header.idFrom));
            if (!text.empty())
                ::lstrcpynA(tip.szText, text.c_str(), ARRAYSIZE(tip.szText));
            return 0;
        }
        LRESULT result = 0;
        if (list_->OnNotify(header, result))
            return result;
        break;
    }
    case WM_COMMAND:
        if (list_->OnCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_CONTEXTMENU: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == -1)
            ::GetCursorPos(&at);   // the menu key: where the pointer is
        list_->ShowContextMenu(at);
        return 0;
    }
    case ShellViewListCtrl::kApplyRowsMessage:
        list_->ApplyRows();
        return 0;
    case kLaunchObjectIconsReadyMessage:
        list_->TakeFinishedIcons();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}
