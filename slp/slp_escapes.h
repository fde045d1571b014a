#pragma once

// SLP attribute values escape reserved bytes as a backslash and two hexadecimal digits.
// No Windows headers, so that it can be fuzzed natively.

#include <optional>
#include <string>
#include <string_view>

// Nothing when a backslash is not followed by two hexadecimal digits.
std::optional<std::string> ResolveEscapes(std::string_view text);
