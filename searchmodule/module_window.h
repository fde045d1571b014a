#pragma once

#include "schedule/search_schedule.h"
#include "schedule/settings_broadcasts.h"
#include "schedule/tray_icon.h"
#include "search_coordinator.h"

#include <windows.h>

#include <memory>
#include <optional>

class SearchModule;

// The module's hidden top-level window: it receives the settings program's broadcasts, the
// schedule's timer, the taskbar icon's clicks and the end of each search, all on the module's
// apartment thread.
class ModuleWindow {
public:
    static constexpr UINT kSearchDoneMessage = WM_APP + 1;
    static constexpr UINT kTrayMessage = WM_APP + 2;
    static constexpr UINT kSearchProgressMessage = WM_APP + 3;
    static constexpr UINT kProgramEndedMessage = WM_APP + 4;
    static constexpr UINT kWaitingWorkMessage = WM_APP + 5;

    ModuleWindow() = default;
    ~ModuleWindow();
    ModuleWindow(const ModuleWindow&) = delete;
    ModuleWindow& operator=(const ModuleWindow&) = delete;

    bool Create(HINSTANCE instance);
    HWND Handle() const { return window_; }
    // Starts the schedule and the taskbar icon; the window handles messages from then on.
    void Start(SearchModule& module, SearchCoordinator& searches);
    // The module is ending: no more timers, no taskbar icon, and no message reaches the module
    // or the searches (which go before the window).
    void Stop();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void OnSettingsChanged();
    void OnLoggingSwitch();
    void OnScheduleTimer();
    void OnSearchProgress(LPARAM changes);
    void OnSearchDone();
    void OnTrayCommand(UINT command);
    void ArmScheduleTimer();
    void ShowIconAsConfigured();

    HWND window_ = nullptr;
    SearchModule* module_ = nullptr;
    SearchCoordinator* searches_ = nullptr;
    SearchSchedule schedule_;
    SettingsBroadcasts broadcasts_;
    std::unique_ptr<TrayIcon> tray_;
    // The scheduled run that the running search serves, to be marked done at its end.
    std::optional<ScheduledTask> scheduledRun_;
};
