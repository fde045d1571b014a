#pragma once

#include "basalt_api.h"

#include <optional>
#include <string>
#include <string_view>

// Conversions between the suite's ANSI code page strings and the other encodings it meets.
BASALT_API std::string AnsiFromWide(const wchar_t* text);
BASALT_API std::wstring WideFromAnsi(const std::string& text);
// The text in the ANSI code page only when every character has a form of its own there: none
// when one would become "?" or a look-alike (text from outside that must match exactly).
BASALT_API std::optional<std::string> ExactAnsiFromWide(std::wstring_view text);
// Both hand ASCII text back as it is, without a copy when given a temporary.
BASALT_API std::string Utf8FromAnsi(std::string text);
BASALT_API std::string AnsiFromUtf8(std::string text);
// At most maxCharacters characters, never cutting a double-byte character in two.
BASALT_API std::string TruncateAnsi(const std::string& text, size_t maxCharacters);
