#pragma once

#include <windows.h>

// What keeps the module's process running: clients that hold the module, class-object locks,
// a running search, and automatic searches switched on. When none is left the class object is
// revoked at once (no new activation may reach a process that is ending) and the message loop
// ends. Used on the module's apartment thread only.
class ModuleLifetime {
public:
    static ModuleLifetime& Instance();

    void SetClassRegistration(DWORD cookie) { classRegistration_ = cookie; }
    void Lock();
    void Unlock();
    void SetSearchRunning(bool running);
    void SetBackgroundWork(bool enabled);
    // Ends the module now, whoever still holds it (the taskbar icon's Exit).
    void EndNow();
    // A module that nobody used since its start ends when this is called.
    void EndIfUnused();
    bool IsEnding() const { return ending_; }

private:
    void EndIfIdle();
    void RevokeClassObject();

    DWORD classRegistration_ = 0;
    long locks_ = 0;
    bool searchRunning_ = false;
    bool backgroundWork_ = false;
    bool ending_ = false;
    // Set by the first client or by the start-up grace period: a module is not idle before.
    bool armed_ = false;
};
