#pragma once

#include "common/base/scoped_handle.h"

#include <windows.h>

#include <optional>
#include <string>

struct RegKeyHandleTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
using ScopedRegKey = ScopedHandle<RegKeyHandleTraits>;

// Opens a key below an open key; an empty handle when it cannot be opened. Error receives the
// system code when asked for.
ScopedRegKey OpenRegistryKey(HKEY parent, const std::string& path, REGSAM access = KEY_READ,
                             LONG* error = nullptr);

bool HasSubKey(HKEY key, const std::string& name);
bool HasValue(HKEY key, const std::string& name);

// A string value (environment strings of an expandable one filled in); nothing when the value
// is missing, unreadable or not a string. An empty name reads the key's default value.
std::optional<std::string> ReadStringValue(HKEY key, const std::string& name);

// The string value of a key below a root; empty when the key or value cannot be read.
std::string ReadStringValue(HKEY root, const std::string& keyPath, const std::string& name);
