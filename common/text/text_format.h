#pragma once

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

namespace text_format_detail {

inline const char* Argument(const std::string& text) { return text.c_str(); }
template <class T>
T Argument(T value)
{
    static_assert(std::is_arithmetic_v<T> || std::is_pointer_v<T>, "printf-style argument");
    return value;
}

} // namespace text_format_detail

// Fills a printf-style text (from a string table) with its arguments; std::string arguments
// may be passed as they are.
template <class... Args>
std::string FormatText(const std::string& format, const Args&... args)
{
    using text_format_detail::Argument;
    const int length = std::snprintf(nullptr, 0, format.c_str(), Argument(args)...);
    if (length <= 0)
        return length == 0 ? std::string() : format;
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), format.c_str(), Argument(args)...);
    return std::string(buffer.data(), static_cast<size_t>(length));
}
