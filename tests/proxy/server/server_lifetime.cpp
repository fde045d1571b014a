#include "server_lifetime.h"

#include "com/com_module.h"

#include <objbase.h>

namespace {

// Posted to the main thread when the last object or lock goes: a class object may only be
// revoked by the apartment that registered it.
constexpr UINT kEndServerMessage = WM_APP + 1;

DWORD g_mainThread = 0;
DWORD g_classRegistration = 0;

void RevokeClassObject()
{
    if (g_classRegistration != 0) {
        ::CoRevokeClassObject(g_classRegistration);
        g_classRegistration = 0;
    }
}

void EndServer()
{
    RevokeClassObject();
    ::PostQuitMessage(0);
}

void OnIdle() noexcept
{
    if (::GetCurrentThreadId() == g_mainThread)
        EndServer();
    else
        ::PostThreadMessageW(g_mainThread, kEndServerMessage, 0, 0);
}

} // namespace

ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}

namespace ServerLifetime {

int Run(DWORD classRegistrationCookie, UINT unusedTimeout)
{
    g_mainThread = ::GetCurrentThreadId();
    g_classRegistration = classRegistrationCookie;
    ThisComModule().SetIdleHandler(&OnIdle);
    UINT_PTR watchdog = ::SetTimer(nullptr, 0, unusedTimeout, nullptr);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kEndServerMessage) {
            EndServer();
        } else if (message.hwnd == nullptr && message.message == WM_TIMER && message.wParam == watchdog) {
            ::KillTimer(nullptr, watchdog);
            if (ThisComModule().CanUnload())
                EndServer();
        } else {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    RevokeClassObject();
    return static_cast<int>(message.wParam);
}

} // namespace ServerLifetime
