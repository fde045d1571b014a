#pragma once

#include "base/command_line_info.h"
#include "base/scoped_handle.h"
#include "dialwise_task.h"
#include "single_instance.h"

#include <memory>

class FindMediaDlg;
class MapMediaDialog;
class NSPropertySheet;

// The settings program: each start runs one task chosen by its command line and ends when the
// task is done; the program has no window of its own.
class DialwiseApp {
public:
    // What F1 opens, by the task that runs.
    enum class Mode {
        SettingsSheet = 0,
        MapDisc = 1,
        FindDiscs = 2,
        AboutBox = 3,
        ExecuteLaunchObject = 4,
        AutoMapItem = 5,
        NetworkSetup = 6,
        SelectPublicFolders = 7,
    };

    explicit DialwiseApp(const wchar_t* commandLine);
    // Frees the branding library and the task's mutex.
    ~DialwiseApp();
    DialwiseApp(const DialwiseApp&) = delete;
    DialwiseApp& operator=(const DialwiseApp&) = delete;

    // Starts up and runs the task; the program's exit code.
    int Run();

    // F1: the help of the task that runs.
    void OnHelp();

private:
    bool InitInstance();
    void ReadLoggingSwitch();
    void RunTask(const DialwiseTask& task);
    void RunSettingsSheet(const std::string& page);
    void RunFindDiscs();
    void RunMapDisc();
    void RunAboutBox();
    void RunSelectPublicFolders();

    CommandLineInfo commandLine_;
    ScopedModule branding_;
    SingleInstance instance_;
    Mode mode_ = Mode::SettingsSheet;
    std::unique_ptr<NSPropertySheet> sheet_;
    std::unique_ptr<MapMediaDialog> mapDialog_;
    std::unique_ptr<FindMediaDlg> findDialog_;
};
