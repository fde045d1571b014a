#pragma once

#include "basalt_api.h"

#include <string>

// Reads the user's "Logging" switch into Logging::LogIndicator: every program does when it
// starts and again when the settings program announces a change. A user without the value
// keeps the current state; a failure is logged with the caller's prefix.
BASALT_API void ReadLoggingSwitch(const std::string& caller);

// The registered number of the settings program's logging announcement
// ("_NETWORK_STORAGE_START_STOP_LOG_"); 0 when it cannot be registered.
BASALT_API unsigned int LoggingSwitchMessage();
