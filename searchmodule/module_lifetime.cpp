#include "module_lifetime.h"

#include "com/com_module.h"
#include "logging/logging.h"

#include <objbase.h>

ModuleLifetime& ModuleLifetime::Instance()
{
    static ModuleLifetime lifetime;
    return lifetime;
}

void ModuleLifetime::ClientsGone()
{
    armed_ = true;
    EndIfIdle();
}

void ModuleLifetime::SetSearchRunning(bool running)
{
    searchRunning_ = running;
    EndIfIdle();
}

void ModuleLifetime::SetBackgroundWork(bool enabled)
{
    backgroundWork_ = enabled;
    EndIfIdle();
}

void ModuleLifetime::SetMappingsHeld(bool held)
{
    mappingsHeld_ = held;
    EndIfIdle();
}

void ModuleLifetime::EndIfUnused()
{
    armed_ = true;
    EndIfIdle();
}

void ModuleLifetime::EndIfIdle()
{
    if (armed_ && ThisComModule().CanUnload() && !searchRunning_ && !backgroundWork_ && !mappingsHeld_)
        EndNow();
}

void ModuleLifetime::EndNow()
{
    if (ending_)
        return;
    ending_ = true;
    Logging::OutToLogFile("Search module ends\n");
    RevokeClassObject();
    ::PostQuitMessage(0);
}

void ModuleLifetime::RevokeClassObject()
{
    if (classRegistration_ != 0) {
        ::CoRevokeClassObject(classRegistration_);
        classRegistration_ = 0;
    }
}
