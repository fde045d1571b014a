#include "single_instance.h"

#include "logging/logging.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <utility>

namespace {

constexpr DWORD kLookAgainMs = 100;

UINT MutexNameId(SingleInstanceTask task)
{
    switch (task) {
    case SingleInstanceTask::SettingsSheet:
        return IDS_MUTEX_SETTINGS;
    case SingleInstanceTask::AboutBox:
        return IDS_MUTEX_ABOUT_BOX;
    case SingleInstanceTask::NetworkSetup:
        return IDS_MUTEX_INITIAL_NETWORK_SETUP;
    case SingleInstanceTask::SelectPublicFolders:
        break;
    }
    return IDS_MUTEX_NEW_USER_INITIALIZATION;
}

HWND FindRunningWindow(SingleInstanceTask task)
{
    for (const std::string& title : RunningWindowTitles(task)) {
        if (HWND window = ::FindWindowA(nullptr, title.c_str()))
            return window;
    }
    return nullptr;
}

} // namespace

std::vector<std::string> RunningWindowTitles(SingleInstanceTask task)
{
    const std::string product = BrandingText(IDS_BRAND_PRODUCT_TITLE);
    switch (task) {
    case SingleInstanceTask::SettingsSheet:
        return {FormatText(CommonText(IDS_SETTINGS_TITLE_FMT), product)};
    case SingleInstanceTask::AboutBox:
        return {FormatText(ProgramText(IDS_ABOUT_TITLE_FMT), product)};
    case SingleInstanceTask::NetworkSetup:
        return {ProgramText(IDS_NETWORK_SETUP_SELECT_NETWORK_TITLE), ProgramText(IDS_NETWORK_SETUP_SCOPE_TITLE),
                ProgramText(IDS_NETWORK_SETUP_FINISH_TITLE)};
    case SingleInstanceTask::SelectPublicFolders:
        break;
    }
    return {ProgramText(IDS_SELECT_PUBLIC_FOLDERS_TITLE)};
}

void RaiseWindow(HWND window)
{
    if (::IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        bool restored = false;
        if (::GetWindowPlacement(window, &placement)) {
            placement.showCmd = SW_RESTORE;
            restored = ::SetWindowPlacement(window, &placement) != FALSE;
        }
        // Some systems place only windows of the calling process; showing works for any.
        if (!restored)
            ::ShowWindow(window, SW_RESTORE);
    }
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    ::BringWindowToTop(window);
}

bool SingleInstance::Acquire(SingleInstanceTask task)
{
    const std::string name = CommonText(MutexNameId(task));
    const ULONGLONG giveUp = ::GetTickCount64() + waitForWindowMs_;
    bool waitLogged = false;
    for (;;) {
        mutex_.Reset(::CreateMutexA(nullptr, FALSE, name.c_str()));
        if (!mutex_) {
            // Without the mutex the task still runs; a second copy is the lesser harm.
            LogFormatted("DialwiseApp::InitInstance() - could not create the mutex %s, error %d\n", name,
                         static_cast<int>(::GetLastError()));
            return true;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return true;
        if (HWND running = FindRunningWindow(task)) {
            RaiseWindow(running);
            return false;
        }
        // The first copy is still starting or has just ended: look again, and take the task
        // over once the mutex is gone.
        if (!std::exchange(waitLogged, true))
            LogFormatted("DialwiseApp::InitInstance() - %s exists, waiting for the running copy's window\n", name);
        mutex_.Reset();
        if (::GetTickCount64() >= giveUp)
            break;
        ::Sleep(kLookAgainMs);
    }
    LogFormatted("DialwiseApp::InitInstance() - %s exists but no window of the running copy was found\n", name);
    ShowErrorPrompt(nullptr, ProgramText(IDS_RUNNING_COPY_NOT_FOUND));
    return false;
}
