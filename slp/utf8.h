#pragma once

// UTF-8 to UTF-16 code units, as the storage servers send their attribute texts: sequences of
// one to three bytes only. No Windows headers, so that it can be fuzzed natively.

#include <optional>
#include <string>
#include <string_view>

// Nothing when a continuation byte stands first, a lead byte announces four or more bytes, or a
// continuation byte is missing or malformed.
std::optional<std::wstring> Utf8ToWide(std::string_view text);
