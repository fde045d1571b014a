#include "user_settings.h"

#include "logging/logging.h"
#include "resources/texts.h"
#include "settings/product_keys.h"

#include <type_traits>

namespace {

template <class Key>
std::optional<Key> Open(const char* caller, Key (RegKey::*open)(const std::string&) const)
{
    try {
        return (RegKey::CURRENT_USER.*open)(ProductKeyPath());
    } catch (const RegKeyException& error) {
        if (error.Cause() != ERROR_FILE_NOT_FOUND)
            LogRegKeyException(std::string(caller) + " - ", error);
        return std::nullopt;
    }
}

template <class T>
std::optional<T> Read(const RegKeyRead& key, UINT nameId, const char* caller)
{
    const std::string name = CommonText(nameId);
    T value{};
    try {
        bool found = false;
        if constexpr (std::is_same_v<T, std::string>)
            found = key.TryQueryStringValue(name, value);
        else
            found = key.TryQueryDWORDValue(name, value);
        if (found)
            return value;
    } catch (const RegKeyException& error) {
        LogFormatted("%s - value \"%s\" unreadable, RegKey Exception: %d\n", caller, name,
                     static_cast<int>(error.Cause()));
    }
    return std::nullopt;
}

} // namespace

std::optional<RegKeyRead> OpenUserSettings(const char* caller)
{
    return Open<RegKeyRead>(caller, &RegKeyRead::GetKeyRead);
}

std::optional<RegKey> OpenUserSettingsForWriting(const char* caller)
{
    return Open<RegKey>(caller, &RegKey::GetKey);
}

std::optional<unsigned long> ReadSettingDWORD(const RegKeyRead& key, UINT nameId, const char* caller)
{
    return Read<unsigned long>(key, nameId, caller);
}

std::optional<std::string> ReadSettingString(const RegKeyRead& key, UINT nameId, const char* caller)
{
    return Read<std::string>(key, nameId, caller);
}
