#include "support/box_answerer.h"

#include <chrono>

namespace {

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM lines)
{
    if (::lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) {
        const std::string text = WindowText(child);
        if (!text.empty()) {
            auto& all = *reinterpret_cast<std::string*>(lines);
            all += (all.empty() ? "" : "\n") + text;
        }
    }
    return TRUE;
}

} // namespace

BoxAnswerer::BoxAnswerer(DWORD processId) : processId_(processId), watcher_([this] { Watch(); }) {}

BoxAnswerer::~BoxAnswerer()
{
    stop_ = true;
    watcher_.join();
}

void BoxAnswerer::Ignore(HWND window)
{
    std::lock_guard guard(lock_);
    handled_.insert(window);
}

std::vector<BoxAnswerer::Box> BoxAnswerer::Boxes() const
{
    std::lock_guard guard(lock_);
    return boxes_;
}

bool BoxAnswerer::WaitForBoxes(size_t count, DWORD timeoutMs) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Boxes().size() >= count)
            return true;
        ::Sleep(20);
    }
    return Boxes().size() >= count;
}

BOOL CALLBACK BoxAnswerer::VisitWindow(HWND window, LPARAM self)
{
    reinterpret_cast<BoxAnswerer*>(self)->Visit(window);
    return TRUE;
}

void BoxAnswerer::Visit(HWND window)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != processId_ || !::IsWindowVisible(window) || ClassOf(window) != "#32770")
        return;
    {
        std::lock_guard guard(lock_);
        if (handled_.count(window))
            return;
    }
    // Wait until the box has its buttons and texts.
    const int answer = ::GetDlgItem(window, IDYES) ? IDYES : IDOK;
    HWND button = ::GetDlgItem(window, answer);
    if (!button)
        return;
    Box box{WindowText(window), std::string()};
    ::EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&box.text));
    {
        std::lock_guard guard(lock_);
        handled_.insert(window);
        boxes_.push_back(box);
    }
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void BoxAnswerer::Watch()
{
    while (!stop_) {
        ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(this));
        ::Sleep(20);
    }
}
