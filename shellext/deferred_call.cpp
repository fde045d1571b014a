#include "deferred_call.h"

#include "logging/logging.h"
#include "module_instance.h"

#include <windows.h>

#include <memory>

namespace {

constexpr wchar_t kWindowClass[] = L"ShellvueDeferredCall";
constexpr UINT kRunTask = WM_APP + 1;

LRESULT CALLBACK RunPostedTask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunTask)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const std::unique_ptr<std::function<void()>> task(reinterpret_cast<std::function<void()>*>(lParam));
    try {
        (*task)();
    } catch (const std::exception& error) {
        LogFormatted("PostToThisThread() - Exception caught: %s \n", error.what());
    } catch (...) {
        Logging::OutToLogFile("PostToThisThread() - unknown exception\n");
    }
    return 0;
}

// The thread's message-only window that takes the posted tasks; it goes with the thread.
class TaskWindow {
public:
    TaskWindow()
    {
        const HINSTANCE module = g_hShellvueInstance ? g_hShellvueInstance : ::GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &RunPostedTask;
        windowClass.hInstance = module;
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
    }
    ~TaskWindow()
    {
        if (window_)
            ::DestroyWindow(window_);
    }
    TaskWindow(const TaskWindow&) = delete;
    TaskWindow& operator=(const TaskWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

} // namespace

bool PostToThisThread(std::function<void()> task)
{
    thread_local TaskWindow window;
    if (!window.Handle())
        return false;
    auto posted = std::make_unique<std::function<void()>>(std::move(task));
    if (!::PostMessageW(window.Handle(), kRunTask, 0, reinterpret_cast<LPARAM>(posted.get())))
        return false;
    posted.release();
    return true;
}
