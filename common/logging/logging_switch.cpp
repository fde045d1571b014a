#include "logging/logging_switch.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"

#include <windows.h>

void ReadLoggingSwitch(const std::string& caller)
{
    try {
        RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(ProductKeyPath());
        unsigned long value = 0;
        if (user.TryQueryDWORDValue(CommonText(IDS_LOGGING_VALUE), value))
            Logging::LogIndicator = static_cast<int>(value);
    } catch (const RegKeyException& error) {
        // A user without settings has no switch to read.
        if (error.Cause() != ERROR_FILE_NOT_FOUND)
            LogRegKeyException(caller + " - ", error);
    }
}

unsigned int LoggingSwitchMessage()
{
    const std::string name = CommonText(IDS_MSG_START_STOP_LOG);
    return name.empty() ? 0 : ::RegisterWindowMessageA(name.c_str());
}
