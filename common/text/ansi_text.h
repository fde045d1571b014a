#pragma once

#include "basalt_api.h"

#include <string>

// Conversions between the suite's ANSI code page strings and the other encodings it meets.
BASALT_API std::string AnsiFromWide(const wchar_t* text);
BASALT_API std::wstring WideFromAnsi(const std::string& text);
// Both hand ASCII text back as it is, without a copy when given a temporary.
BASALT_API std::string Utf8FromAnsi(std::string text);
BASALT_API std::string AnsiFromUtf8(std::string text);
// At most maxCharacters characters, never cutting a double-byte character in two.
BASALT_API std::string TruncateAnsi(const std::string& text, size_t maxCharacters);
