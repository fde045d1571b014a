#include "support/modal_dialog_run.h"

#include "com/com_apartment.h"

#include <chrono>
#include <stdexcept>

namespace {

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM parameter)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (::IsWindowVisible(window) && ::lstrcmpA(name, "#32770") == 0) {
        reinterpret_cast<Search*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        ::Sleep(10);
    }
    return true;
}

struct ItemSearch {
    int itemId;
    HWND other;
    HWND found = nullptr;
};

BOOL CALLBACK FindWindowWithItem(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<ItemSearch*>(parameter);
    if (window != search.other && ::IsWindowVisible(window) && ::GetDlgItem(window, search.itemId)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForDialogWithItem(DWORD threadId, int itemId, HWND other, DWORD timeoutMs)
{
    ItemSearch search{itemId, other};
    WaitUntil(
        [&] {
            ::EnumThreadWindows(threadId, FindWindowWithItem, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND VisibleDialogOfThread(DWORD threadId)
{
    Search search;
    if (threadId != 0)
        ::EnumThreadWindows(threadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ModalDialogRun::ModalDialogRun(std::function<INT_PTR()> show, DWORD timeoutMs)
{
    thread_ = std::thread([this, show = std::move(show)] {
        threadId_ = ::GetCurrentThreadId();
        const ComApartment apartment;
        result_ = show();
        ended_ = true;
    });
    if (!WaitUntil([this] { return Window() != nullptr || ended_.load(); }, timeoutMs) || !Window()) {
        // Nothing to drive: let the thread finish (or give up on it) before failing the test.
        if (!WaitUntil([this] { return ended_.load(); }, timeoutMs))
            thread_.detach();
        else
            thread_.join();
        throw std::runtime_error("no dialog appeared");
    }
}

ModalDialogRun::~ModalDialogRun()
{
    if (!thread_.joinable())
        return;
    // Whatever is still open goes the way a user's Escape would take it.
    for (int round = 0; round < 50 && !ended_.load(); ++round) {
        if (HWND window = Window())
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::Sleep(20);
    }
    if (ended_.load())
        thread_.join();
    else
        thread_.detach();
}

HWND ModalDialogRun::Window() const { return VisibleDialogOfThread(threadId_.load()); }

bool ModalDialogRun::WaitForEnd(INT_PTR& result, DWORD timeoutMs)
{
    if (!WaitUntil([this] { return ended_.load(); }, timeoutMs))
        return false;
    if (thread_.joinable())
        thread_.join();
    result = result_;
    return true;
}
