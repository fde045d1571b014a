#pragma once

#include <windows.h>

// What keeps the module's process running: clients that hold the module or lock its class
// object (counted by ThisComModule()), a running search, automatic searches switched on, and
// drive mappings held until a started program ends.
// When none is left the class object is revoked at once (no new activation may reach a
// process that is ending) and the message loop ends. Used on the module's apartment thread.
class ModuleLifetime {
public:
    static ModuleLifetime& Instance();

    void SetClassRegistration(DWORD cookie) { classRegistration_ = cookie; }
    // The last client reference or class-object lock went.
    void ClientsGone();
    void SetSearchRunning(bool running);
    void SetBackgroundWork(bool enabled);
    // Drive mappings wait for a started program's end to be undone.
    void SetMappingsHeld(bool held);
    // Ends the module now, whoever still holds it (the taskbar icon's Exit).
    void EndNow();
    // A module that nobody used since its start ends when this is called.
    void EndIfUnused();
    bool IsEnding() const { return ending_; }

private:
    void EndIfIdle();
    void RevokeClassObject();

    DWORD classRegistration_ = 0;
    bool searchRunning_ = false;
    bool backgroundWork_ = false;
    bool mappingsHeld_ = false;
    bool ending_ = false;
    // Set by the last client's going or by the start-up grace period: a module is not idle
    // before either.
    bool armed_ = false;
};
