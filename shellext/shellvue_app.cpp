#include "shellvue_app.h"

#include "base/scoped_handle.h"
#include "com/com_object.h"
#include "logging/logging.h"
#include "logging/logging_switch.h"
#include "module_instance.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "folder/shell_folder.h"

namespace {

HRESULT CreateShellFolder(REFIID riid, void** object) { return CreateComObject<ShellFolder>(riid, object); }

} // namespace

ShellvueApp& TheApp()
{
    // Never destroyed: the library stays loaded until the process ends, and nothing of it is
    // torn down while the loader lock is held.
    static ShellvueApp* app = new ShellvueApp();
    return *app;
}

ShellvueApp::ShellvueApp() : folderFactory_(&CreateShellFolder) {}

void ShellvueApp::EnsureStarted()
{
    std::call_once(started_, [this] { Start(); });
}

void ShellvueApp::Start()
{
    // The branding library first: it names the product key that everything below reads and
    // writes. A library that another module of the process loaded already is shared.
    branding_ = g_hBrandingInstance;
    if (!branding_) {
        branding_ = ExternalResMgr::LoadExternalDLL(CommonText(IDS_BRANDING_DLL_NAME),
                                                    CommonText(IDS_SHELL_EXTENSION_DLL_NAME));
        g_hBrandingInstance = branding_;
    }

    AuxiliaryFunctions::InitNewCurrentUser();
    AuxiliaryFunctions::SetClipboardCutFlag(false);
    ReadLoggingSwitch("ShellvueApp::InitInstance()");
    shellHasDllGetVersion_ = ProbeShellVersionExport();

    Logging::OutToLogFile("PrintDate");
    Logging::OutToLogFile("ShellvueApp::InitInstance()\n");

    folderIcons_.Build(branding_);

    CLSID folderClass;
    if (ExternalResMgr::GetCLSID(branding_, IDS_BRAND_NAMESPACE_CLSID, folderClass))
        folderClass_ = folderClass;

    if (loggingSwitch_.Create(g_hShellvueInstance))
        StayLoaded();
    else
        Logging::OutToLogFile("ShellvueApp::InitInstance() - no window for the logging switch\n");
}

// The hidden window's procedure lives in this library: it must not be unloaded under it.
void ShellvueApp::StayLoaded()
{
    HMODULE pinned = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&TheApp), &pinned);
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
    if (folderClass_ && IsEqualCLSID(*folderClass_, clsid))
        return folderFactory_.QueryInterface(riid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}
