// The search module's process: a local COM server that COM starts with -Embedding, that the
// settings program starts with the shell verb "open", and that registers itself with
// /RegServer and /UnregServer.

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "com/class_factory.h"
#include "com/com_apartment.h"
#include "logging/logging.h"
#include "logging/logging_switch.h"
#include "module_lifetime.h"
#include "module_window.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "search_coordinator.h"
#include "search_module.h"
#include "server_registration.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

namespace {

// How long a new start waits for an ending instance to let go of the module's mutex.
constexpr DWORD kPreviousInstanceWaitMs = 10000;

enum class StartMode { Serve, Register, Unregister, Unknown };

StartMode ReadStartMode()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr)
        return StartMode::Unknown;
    StartMode mode = StartMode::Serve;
    for (int i = 1; i < count; ++i) {
        const wchar_t* word = arguments[i];
        if (*word == L'-' || *word == L'/')
            ++word;
        if (::lstrcmpiW(word, L"RegServer") == 0)
            mode = StartMode::Register;
        else if (::lstrcmpiW(word, L"UnregServer") == 0)
            mode = StartMode::Unregister;
        else if (::lstrcmpiW(word, L"Embedding") != 0)
            mode = StartMode::Unknown;
    }
    ::LocalFree(arguments);
    return mode;
}

// The module's single-instance lock. A start while another instance ends waits for it.
bool TakeInstanceMutex(ScopedKernelHandle& mutex)
{
    mutex.Reset(::CreateMutexA(nullptr, TRUE, CommonText(IDS_MUTEX_SEARCH_MODULE).c_str()));
    if (!mutex)
        return false;
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    const DWORD waited = ::WaitForSingleObject(mutex.Get(), kPreviousInstanceWaitMs);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

int Serve(HINSTANCE instance, const CLSID& clsid)
{
    ScopedKernelHandle mutex;
    if (!TakeInstanceMutex(mutex)) {
        Logging::OutToLogFile("Another search module is running\n");
        return 0;
    }
    int exitCode = 1;
    {
        const ComApartment apartment;
        if (apartment.IsReady()) {
            ModuleWindow window;
            if (window.Create(instance)) {
                SearchCoordinator searches(window.Handle(), ModuleWindow::kSearchProgressMessage,
                                           ModuleWindow::kSearchDoneMessage);
                SearchModule module(searches, window.Handle(), ModuleWindow::kProgramEndedMessage,
                                    ModuleWindow::kWaitingWorkMessage);
                ClassFactory factory([&module](REFIID iid, void** object) {
                    if (ModuleLifetime::Instance().IsEnding())
                        return CO_E_SERVER_STOPPING;
                    return module.QueryInterface(iid, object);
                });
                DWORD registration = 0;
                if (SUCCEEDED(::CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                                      &registration))) {
                    ModuleLifetime::Instance().SetClassRegistration(registration);
                    window.Start(module, searches);
                    MSG message{};
                    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
                        ::TranslateMessage(&message);
                        ::DispatchMessageW(&message);
                    }
                    // No new activation, and no call of a client still holding the object,
                    // may reach it once it is gone (the taskbar icon's Exit ends the module
                    // under its clients).
                    ModuleLifetime::Instance().EndNow();
                    window.Stop();
                    module.Disconnect();
                    exitCode = 0;
                } else {
                    Logging::OutToLogFile("Could not register the search module's class object\n");
                }
            }
        }
    }
    ::ReleaseMutex(mutex.Get());
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const StartMode mode = ReadStartMode();
    g_hBrandingInstance = ExternalResMgr::LoadExternalDLL(CommonText(IDS_BRANDING_DLL_NAME),
                                                          CommonText(IDS_SEARCH_MODULE_EXE_NAME));
    if (!g_hBrandingInstance)
        return 1;
    // The module writes the user's cache, which a first start of the suite sets up.
    AuxiliaryFunctions::InitNewCurrentUser();
    ReadLoggingSwitch("Trawlex");
    Logging::OutToLogFile("PrintDate");
    Logging::OutToLogFile("Trawlex started\n");

    CLSID clsid{};
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_SEARCH_MODULE_CLSID, clsid))
        return 1;
    switch (mode) {
    case StartMode::Register:
        return ServerRegistration::Register(clsid, ModuleFileName(nullptr)) ? 0 : 1;
    case StartMode::Unregister:
        return ServerRegistration::Unregister(clsid) ? 0 : 1;
    case StartMode::Serve:
        return Serve(instance, clsid);
    case StartMode::Unknown:
        break;
    }
    Logging::OutToLogFile("Unknown command line\n");
    return 2;
}
