#pragma once

#include "class_factory.h"
#include "folder_icon_lists.h"

#include <windows.h>

#include <memory>
#include <vector>

// The library's application object: one per process, set up when the library is loaded.
class ShellvueApp {
public:
    ShellvueApp() = default;
    ShellvueApp(const ShellvueApp&) = delete;
    ShellvueApp& operator=(const ShellvueApp&) = delete;

    bool InitInstance();
    // processEnding: the whole process ends, and other libraries may already be gone.
    void ExitInstance(bool processEnding);

    HINSTANCE BrandingInstance() const { return branding_; }
    // True when shell32.dll exports DllGetVersion.
    bool ShellHasDllGetVersion() const { return shellHasDllGetVersion_; }
    const FolderIconLists& FolderIcons() const { return folderIcons_; }

    // The registered class factories' answer to DllGetClassObject.
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object);

private:
    struct RegisteredFactory {
        CLSID Clsid;
        std::unique_ptr<ClassFactory> Factory;
    };

    void ReadLoggingSwitch();
    static bool ProbeShellVersionExport();

    HINSTANCE branding_ = nullptr;
    bool shellHasDllGetVersion_ = false;
    FolderIconLists folderIcons_;
    std::vector<RegisteredFactory> factories_;
};

ShellvueApp& TheApp();
