#include "text/ansi_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string NarrowFromWide(UINT codePage, const wchar_t* text, int length)
{
    if (length == 0)
        return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring WideFromNarrow(UINT codePage, const std::string& text)
{
    if (text.empty())
        return {};
    const int size = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring result(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

} // namespace

std::string AnsiFromWide(const wchar_t* text)
{
    return text ? NarrowFromWide(CP_ACP, text, static_cast<int>(wcslen(text))) : std::string();
}

std::wstring WideFromAnsi(const std::string& text) { return WideFromNarrow(CP_ACP, text); }

std::optional<std::string> ExactAnsiFromWide(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    // A UTF-8 code page has a form for every character but refuses the default-character check.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* check = utf8 ? nullptr : &usedDefault;
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, check);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string result(static_cast<size_t>(size), '\0');
    if (::WideCharToMultiByte(CP_ACP, flags, text.data(), length, result.data(), size, nullptr, check) != size ||
        usedDefault)
        return std::nullopt;
    return result;
}

// ASCII is the same in both encodings: most names skip the conversion.
std::string Utf8FromAnsi(std::string text)
{
    if (IsAscii(text))
        return text;
    const std::wstring wide = WideFromNarrow(CP_ACP, text);
    return NarrowFromWide(CP_UTF8, wide.data(), static_cast<int>(wide.size()));
}

std::string AnsiFromUtf8(std::string text)
{
    if (IsAscii(text))
        return text;
    const std::wstring wide = WideFromNarrow(CP_UTF8, text);
    return NarrowFromWide(CP_ACP, wide.data(), static_cast<int>(wide.size()));
}

std::string TruncateAnsi(const std::string& text, size_t maxCharacters)
{
    if (text.size() <= maxCharacters)
        return text;   // no more bytes than allowed characters

    const char* begin = text.c_str();
    const char* end = begin;
    for (size_t count = 0; count < maxCharacters && *end; ++count)
        end = ::CharNextA(end);
    return std::string(begin, static_cast<size_t>(end - begin));
}
