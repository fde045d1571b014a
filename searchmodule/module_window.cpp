#include "module_window.h"

#include "logging/logging.h"
#include "logging/logging_switch.h"
#include "module_lifetime.h"
#include "public/server_data_coordinator.h"
#include "schedule/show_icon_setting.h"
#include "search_module.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr wchar_t kWindowClass[] = L"TrawlexSearchModuleWindow";
constexpr UINT_PTR kScheduleTimer = 1;
constexpr UINT_PTR kStartupTimer = 2;
// A module that no client takes within this time after its start ends by itself.
constexpr UINT kStartupGraceMs = 30000;

} // namespace

ModuleWindow::~ModuleWindow()
{
    tray_.reset();
    if (!window_)
        return;
    // Changes of a search that ended with the module are not shown to anyone any more.
    MSG pending;
    while (::PeekMessageW(&pending, window_, kSearchProgressMessage, kSearchProgressMessage, PM_REMOVE))
        delete reinterpret_cast<SearchOutcome*>(pending.lParam);
    ::DestroyWindow(window_);
}

bool ModuleWindow::Create(HINSTANCE instance)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ModuleWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassW(&windowClass);
    // A top-level window (never shown): broadcasts reach top-level windows only.
    window_ = ::CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

void ModuleWindow::Start(SearchModule& module, SearchCoordinator& searches)
{
    module_ = &module;
    searches_ = &searches;
    tray_ = std::make_unique<TrayIcon>(window_, kTrayMessage);
    ShowIconAsConfigured();
    schedule_.Reload(std::time(nullptr));
    ModuleLifetime::Instance().SetBackgroundWork(schedule_.BackgroundEnabled());
    ArmScheduleTimer();
    ::SetTimer(window_, kStartupTimer, kStartupGraceMs, nullptr);
}

void ModuleWindow::Stop()
{
    ::KillTimer(window_, kScheduleTimer);
    ::KillTimer(window_, kStartupTimer);
    tray_.reset();
    module_ = nullptr;
    searches_ = nullptr;
}

LRESULT CALLBACK ModuleWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ModuleWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ModuleWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->module_ == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        LogFormatted("ModuleWindow - Exception caught: %s \n", error.what());
        return 0;
    }
}

LRESULT ModuleWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kSearchProgressMessage:
        OnSearchProgress(lParam);
        return 0;
    case kSearchDoneMessage:
        OnSearchDone();
        return 0;
    case kTrayMessage:
        OnTrayCommand(tray_->HandleCallback(wParam, lParam));
        return 0;
    case kProgramEndedMessage:
        module_->OnProgramEnded(static_cast<int>(wParam));
        return 0;
    case kWaitingWorkMessage:
        module_->RunWaitingWork();
        return 0;
    case WM_CLOSE:
        // The installer and the uninstaller ask the module to end before they replace it.
        Logging::OutToLogFile("Asked to close\n");
        ModuleLifetime::Instance().EndNow();
        return 0;
    case WM_TIMER:
        if (wParam == kScheduleTimer) {
            OnScheduleTimer();
        } else if (wParam == kStartupTimer) {
            ::KillTimer(window_, kStartupTimer);
            ModuleLifetime::Instance().EndIfUnused();
        }
        return 0;
    default:
        break;
    }
    if (tray_->HandleTaskbarCreated(message))
        return 0;
    switch (broadcasts_.Classify(message)) {
    case SettingsBroadcast::ShowIcon:
        Logging::OutToLogFile(tray_->Show(true) ? "Taskbar icon shown\n" : "Taskbar icon could not be shown\n");
        return 0;
    case SettingsBroadcast::HideIcon:
        tray_->Show(false);
        Logging::OutToLogFile("Taskbar icon hidden\n");
        return 0;
    case SettingsBroadcast::LoggingSwitch:
        OnLoggingSwitch();
        return 0;
    case SettingsBroadcast::RefreshTimer:
    case SettingsBroadcast::RescanTimer:
    case SettingsBroadcast::BackgroundSearch:
    case SettingsBroadcast::UpdatePublicTimer:
        OnSettingsChanged();
        return 0;
    case SettingsBroadcast::None:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void ModuleWindow::ShowIconAsConfigured()
{
    tray_->Show(ShowIconSetting());
}

void ModuleWindow::OnLoggingSwitch()
{
    // The line goes out before the switch is read again, so that the file shows both ends of
    // a period without logging.
    Logging::OutToLogFile("Logging switch announced\n");
    ReadLoggingSwitch("ModuleWindow::OnLoggingSwitch()");
    Logging::OutToLogFile("Logging switch read\n");
}

void ModuleWindow::OnSettingsChanged()
{
    Logging::OutToLogFile("Search settings changed\n");
    schedule_.Reload(std::time(nullptr));
    ArmScheduleTimer();
    ModuleLifetime::Instance().SetBackgroundWork(schedule_.BackgroundEnabled());
}

void ModuleWindow::ArmScheduleTimer()
{
    const unsigned long wait = schedule_.MillisecondsUntilNext(std::time(nullptr));
    if (wait == SearchSchedule::kNothingScheduled)
        ::KillTimer(window_, kScheduleTimer);
    else
        ::SetTimer(window_, kScheduleTimer, wait, nullptr);
}

void ModuleWindow::OnScheduleTimer()
{
    const std::time_t now = std::time(nullptr);
    std::vector<ScheduledTask> due = schedule_.TakeDueTasks(now);
    // A full search covers a quick one that is due at the same time.
    const bool fullDue = std::find(due.begin(), due.end(), ScheduledTask::FullSearch) != due.end();
    for (ScheduledTask task : due) {
        if (task == ScheduledTask::UpdatePublic) {
            // Done here and now: the module's own server object, which the update reaches through
            // COM, answers on this thread.
            Logging::OutToLogFile("Automatic public folder update\n");
            ServerDataCoordinator().StartUpdate();
            schedule_.MarkDone(task);
            continue;
        }
        if (task == ScheduledTask::QuickSearch && fullDue) {
            schedule_.MarkDone(task);
            continue;
        }
        const SearchKind kind = task == ScheduledTask::FullSearch ? SearchKind::Full : SearchKind::Quick;
        if (module_->StartSearch(kind, SearchOrigin::Automatic) == S_OK)
            scheduledRun_ = task;
        else
            schedule_.MarkNotStarted(task, now);
    }
    ArmScheduleTimer();
}

void ModuleWindow::OnSearchProgress(LPARAM changes)
{
    const std::unique_ptr<SearchOutcome> taken(reinterpret_cast<SearchOutcome*>(changes));
    module_->PublishSearchChanges(*taken);
}

void ModuleWindow::OnSearchDone()
{
    std::unique_ptr<SearchOutcome> outcome = searches_->TakeOutcome();
    if (outcome)
        module_->PublishSearchDone(*outcome);
    if (scheduledRun_) {
        schedule_.MarkDone(*scheduledRun_);
        scheduledRun_.reset();
    }
    ArmScheduleTimer();
    ModuleLifetime::Instance().SetSearchRunning(searches_->IsRunning());
}

void ModuleWindow::OnTrayCommand(UINT command)
{
    if (command == TrayIcon::kQuickSearch)
        module_->StartSearch(SearchKind::Quick, SearchOrigin::User);
    else if (command == TrayIcon::kFullSearch)
        module_->StartSearch(SearchKind::Full, SearchOrigin::User);
    else if (command == TrayIcon::kExit)
        ModuleLifetime::Instance().EndNow();
}
