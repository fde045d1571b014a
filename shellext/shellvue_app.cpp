#include "shellvue_app.h"

#include "auxiliary.h"
#include "branding_ids.h"
#include "logging.h"
#include "product_keys.h"
#include "registry.h"
#include "res/string_ids.h"
#include "scoped_handle.h"
#include "shell_folder_creation.h"
#include "texts.h"

ShellvueApp& TheApp()
{
    static ShellvueApp app;
    return app;
}

bool ShellvueApp::InitInstance()
{
    AuxiliaryFunctions::InitNewCurrentUser();

    branding_ = ExternalResMgr::LoadExternalDLL(CommonText(IDS_BRANDING_DLL_NAME),
                                                CommonText(IDS_SHELL_EXTENSION_DLL_NAME));
    // The branding texts that Basalt reads come from the library this process loaded first.
    if (!g_hBrandingInstance)
        g_hBrandingInstance = branding_;

    AuxiliaryFunctions::SetClipboardCutFlag(false);
    ReadLoggingSwitch();
    shellHasDllGetVersion_ = ProbeShellVersionExport();

    Logging::OutToLogFile("PrintDate");
    Logging::OutToLogFile("ShellvueApp::InitInstance()\n");

    folderIcons_.Build(branding_);

    CLSID folderClass;
    if (ExternalResMgr::GetCLSID(branding_, IDS_BRAND_NAMESPACE_CLSID, folderClass))
        factories_.push_back({folderClass, std::make_unique<ClassFactory>(&CreateShellFolder)});
    return true;
}

void ShellvueApp::ExitInstance(bool processEnding)
{
    factories_.clear();
    if (processEnding || !branding_)
        return;
    // COM unloads the library when Explorer no longer needs it and loads it again later: the
    // branding library goes with it, so that each load does not leave one more copy mapped.
    if (g_hBrandingInstance == branding_)
        g_hBrandingInstance = nullptr;
    ::FreeLibrary(branding_);
    branding_ = nullptr;
}

void ShellvueApp::ReadLoggingSwitch()
{
    try {
        RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(ProductKeyPath());
        unsigned long value = 0;
        if (user.TryQueryDWORDValue(CommonText(IDS_LOGGING_VALUE), value))
            Logging::LogIndicator = static_cast<int>(value);
    } catch (const RegKeyException& error) {
        LogRegKeyException("ShellvueApp::InitInstance() - ", error);
    }
}

bool ShellvueApp::ProbeShellVersionExport()
{
    ScopedModule shell(::LoadLibraryA(CommonText(IDS_SHELL32_DLL_NAME).c_str()));
    return shell && ::GetProcAddress(shell.Get(), "DllGetVersion") != nullptr;
}

HRESULT ShellvueApp::GetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (RegisteredFactory& registered : factories_) {
        if (IsEqualCLSID(registered.Clsid, clsid))
            return registered.Factory->QueryInterface(riid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}
