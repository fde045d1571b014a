#include "setting_values.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "resources/texts.h"
#include "settings/product_keys.h"

namespace {

const RegKey& Root(SettingsHive hive) { return hive == SettingsHive::User ? RegKey::CURRENT_USER : RegKey::LOCAL_MACHINE; }

// The product key's path, or empty (logged) while the branding library names none.
std::string KeyPath(const char* caller, const std::string& valueName)
{
    try {
        return ProductKeyPath();
    } catch (const RegKeyException& error) {
        LogSettingException(caller, std::string(), valueName, error);
        return {};
    }
}

template <class Write>
long WriteSetting(SettingsHive hive, UINT nameId, const char* caller, Write write)
{
    const std::string valueName = CommonText(nameId);
    const std::string key = KeyPath(caller, valueName);
    if (key.empty())
        return kProductKeyUnknown;
    try {
        write(Root(hive).CreateKey(key), valueName);
        return 0;
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, valueName, error);
        return error.Cause() != 0 ? error.Cause() : ERROR_GEN_FAILURE;
    }
}

} // namespace

void LogSettingException(const char* caller, const std::string& key, const std::string& valueName,
                         const RegKeyException& error)
{
    Logging::OutToLogFile(std::string(caller) + " - RegKey Exception:");
    LogFormatted(" key: %s, value name: %s, cause: %d \n", key, valueName, static_cast<int>(error.Cause()));
}

unsigned long ReadSettingDword(SettingsHive hive, UINT nameId, unsigned long fallback, const char* caller)
{
    const std::string valueName = CommonText(nameId);
    const std::string key = KeyPath(caller, valueName);
    try {
        if (key.empty() || !Root(hive).KeyExists(key))
            return fallback;
        unsigned long value = fallback;
        Root(hive).GetKeyRead(key).TryQueryDWORDValue(valueName, value);
        return value;
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, valueName, error);
        return fallback;
    }
}

std::string ReadSettingText(SettingsHive hive, UINT nameId, const char* caller)
{
    const std::string valueName = CommonText(nameId);
    const std::string key = KeyPath(caller, valueName);
    try {
        std::string value;
        if (!key.empty() && Root(hive).KeyExists(key))
            Root(hive).GetKeyRead(key).TryQueryStringValue(valueName, value);
        return value;
    } catch (const RegKeyException& error) {
        LogSettingException(caller, key, valueName, error);
        return {};
    }
}

long WriteSettingDword(SettingsHive hive, UINT nameId, unsigned long value, const char* caller)
{
    return WriteSetting(hive, nameId, caller,
                        [value](const RegKey& key, const std::string& name) { key.SetDWORDValue(name, value); });
}

long WriteSettingText(SettingsHive hive, UINT nameId, const std::string& text, const char* caller)
{
    return WriteSetting(hive, nameId, caller,
                        [&text](const RegKey& key, const std::string& name) { key.SetStringValue(name, text); });
}
