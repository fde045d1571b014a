#pragma once

#include "logging/logging.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

// A registry sandbox with the branding library loaded and logging on, into a scratch
// installation folder: what the kit reports can be read back.
class LoggedSession {
public:
    LoggedSession()
    {
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder_.Path());
        Logging::LogIndicator = 1;
    }
    ~LoggedSession() { Logging::LogIndicator = 0; }
    LoggedSession(const LoggedSession&) = delete;
    LoggedSession& operator=(const LoggedSession&) = delete;

    std::string Log() const
    {
        const std::string path = Logging::LogFilePath();
        return FileExists(path) ? ReadWholeFile(path) : std::string();
    }

private:
    RegistrySandbox sandbox_;
    BrandingLoaded branding_;
    TempDirectory folder_;
};
