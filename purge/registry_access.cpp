#include "registry_access.h"

#include <vector>

ScopedRegKey OpenRegistryKey(HKEY parent, const std::string& path, REGSAM access, LONG* error)
{
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
    if (error)
        *error = result;
    return ScopedRegKey(result == ERROR_SUCCESS ? key : nullptr);
}

bool HasSubKey(HKEY key, const std::string& name)
{
    return static_cast<bool>(OpenRegistryKey(key, name));
}

bool HasValue(HKEY key, const std::string& name)
{
    return ::RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

namespace {

std::string ExpandEnvironmentText(const std::string& text)
{
    const DWORD size = ::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0)
        return text;
    std::vector<char> expanded(size);
    if (::ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size) == 0)
        return text;
    return expanded.data();
}

} // namespace

std::optional<std::string> ReadStringValue(HKEY key, const std::string& name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    // The stored text need not end with a terminator: leave room for one.
    std::vector<char> data(size + 1, '\0');
    DWORD read = size;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string text(data.data());
    return type == REG_EXPAND_SZ ? ExpandEnvironmentText(text) : text;
}

std::string ReadStringValue(HKEY root, const std::string& keyPath, const std::string& name)
{
    ScopedRegKey key = OpenRegistryKey(root, keyPath);
    if (!key)
        return {};
    return ReadStringValue(key.Get(), name).value_or(std::string());
}
