#include "logging_switch_window.h"

#include "logging/logging.h"
#include "logging/logging_switch.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ShellvueLoggingSwitchWindow";

// Registered once per process: the number is the same for every window of the session.
UINT SwitchMessage()
{
    static const UINT message = LoggingSwitchMessage();
    return message;
}

} // namespace

LoggingSwitchWindow::~LoggingSwitchWindow()
{
    if (window_ && ::GetWindowThreadProcessId(window_, nullptr) == ::GetCurrentThreadId())
        ::DestroyWindow(window_);
}

bool LoggingSwitchWindow::Create(HINSTANCE module)
{
    if (SwitchMessage() == 0)
        return false;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &LoggingSwitchWindow::WindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    // Top-level and never shown: broadcasts reach top-level windows only.
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module,
                                nullptr);
    return window_ != nullptr;
}

LRESULT CALLBACK LoggingSwitchWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message != 0 && message == SwitchMessage()) {
            ReadLoggingSwitch("ShellvueApp::OnStartStopLog()");
            Logging::OutToLogFile("ShellvueApp::OnStartStopLog()\n");
            return 0;
        }
    } catch (const std::exception& error) {
        LogFormatted("ShellvueApp::OnStartStopLog() - Exception caught: %s \n", error.what());
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
