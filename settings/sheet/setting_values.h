#pragma once

#include <windows.h>

#include <string>

class RegKeyException;

// Where a setting lives: the product key under HKEY_CURRENT_USER (the user's settings) or
// under HKEY_LOCAL_MACHINE (the computer's, such as the public folder data location).
enum class SettingsHive { User, Machine };

// One value at a time, each read or written on its own so that a failure costs only that
// value. Failures are logged with the caller's prefix ("NSGeneralPage::SaveSettings"), the
// key, the value's name and the cause.

// A DWORD, or fallback when it is missing, has another type or cannot be read.
unsigned long ReadSettingDword(SettingsHive hive, UINT nameId, unsigned long fallback, const char* caller);
// A string, empty when it is missing, has another type or cannot be read.
std::string ReadSettingText(SettingsHive hive, UINT nameId, const char* caller);

// 0 when written, else the system's error code.
long WriteSettingDword(SettingsHive hive, UINT nameId, unsigned long value, const char* caller);
long WriteSettingText(SettingsHive hive, UINT nameId, const std::string& text, const char* caller);

// The suite's line for a registry failure of one setting.
void LogSettingException(const char* caller, const std::string& key, const std::string& valueName,
                         const RegKeyException& error);
