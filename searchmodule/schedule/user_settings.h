#pragma once

#include "registry/registry.h"

#include <optional>
#include <string>

// The current user's settings key (product key under HKEY_CURRENT_USER), opened for reading;
// nullopt when the user has none yet or the branding library gives no product key.
std::optional<RegKeyRead> OpenUserSettings(const char* caller);
std::optional<RegKey> OpenUserSettingsForWriting(const char* caller);

// A value of the user's settings; absent, and logged for the caller, when it has another type.
std::optional<unsigned long> ReadSettingDWORD(const RegKeyRead& key, UINT nameId, const char* caller);
std::optional<std::string> ReadSettingString(const RegKeyRead& key, UINT nameId, const char* caller);
