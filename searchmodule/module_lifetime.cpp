#include "module_lifetime.h"

#include "logging.h"

#include <objbase.h>

ModuleLifetime& ModuleLifetime::Instance()
{
    static ModuleLifetime lifetime;
    return lifetime;
}

void ModuleLifetime::Lock()
{
    armed_ = true;
    ++locks_;
}

void ModuleLifetime::Unlock()
{
    if (locks_ > 0)
        --locks_;
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

void ModuleLifetime::EndIfUnused()
{
    armed_ = true;
    EndIfIdle();
}

void ModuleLifetime::EndIfIdle()
{
    if (armed_ && locks_ == 0 && !searchRunning_ && !backgroundWork_)
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
