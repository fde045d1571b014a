#pragma once

#include "com/class_factory.h"
#include "folder_icon_lists.h"
#include "logging_switch_window.h"

#include <windows.h>

#include <mutex>
#include <optional>

// The library's application object, one per process. Its start-up runs once, on the first
// class-object request (never in DllMain, under the loader lock), and the library stays loaded
// from then on: its hidden window and the branding library live as long as the process.
class ShellvueApp {
public:
    ShellvueApp();
    ShellvueApp(const ShellvueApp&) = delete;
    ShellvueApp& operator=(const ShellvueApp&) = delete;

    // Runs the start-up the first time it is called in the process; later calls wait for it.
    void EnsureStarted();

    HINSTANCE BrandingInstance() const { return branding_; }
    // True when shell32.dll exports DllGetVersion.
    bool ShellHasDllGetVersion() const { return shellHasDllGetVersion_; }
    const FolderIconLists& FolderIcons() const { return folderIcons_; }

    // The answer to DllGetClassObject (after EnsureStarted).
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object);

private:
    void Start();
    static bool ProbeShellVersionExport();
    static void StayLoaded();

    std::once_flag started_;
    HINSTANCE branding_ = nullptr;
    bool shellHasDllGetVersion_ = false;
    FolderIconLists folderIcons_;
    std::optional<CLSID> folderClass_;
    ClassFactory folderFactory_;
    LoggingSwitchWindow loggingSwitch_;
};

ShellvueApp& TheApp();
