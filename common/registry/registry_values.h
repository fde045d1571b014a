#pragma once

#include "registry/registry.h"

#include <string>
#include <type_traits>

// Reads a value into a field only when the key has it; the field keeps its default otherwise.
template <class T>
void ReadIfPresent(const RegKeyRead& key, const char* name, T& field)
{
    if constexpr (std::is_same_v<T, std::string>) {
        key.TryQueryStringValue(name, field);
    } else {
        unsigned long value = 0;
        if (key.TryQueryDWORDValue(name, value))
            field = static_cast<T>(value);
    }
}
