#pragma once

// The suite's product version and how versions compare. Header only: the registration tool
// and Basalt read the same text without linking anything for it.

#include <optional>
#include <string_view>

// The version these programs make up. The registration tool records it as the installed
// version (the namespace class's "NSProductInfo" "Version"), and a user's set-up stands on it
// when no version is registered.
inline constexpr char kProductVersion[] = "2.00";

// The number a version text begins with ("2.00" is 2, "2.5 beta" is 2.5), so that "10.00" is
// later than "9.00" and "2.5" equals "2.50"; nothing when the text begins with no number.
constexpr std::optional<double> VersionNumber(std::string_view text) noexcept
{
    std::string_view::size_type at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    const auto isDigit = [&text](std::string_view::size_type i) { return text[i] >= '0' && text[i] <= '9'; };
    bool anyDigit = false;
    double number = 0;
    for (; at < text.size() && isDigit(at); ++at) {
        number = number * 10 + (text[at] - '0');
        anyDigit = true;
    }
    if (at < text.size() && text[at] == '.') {
        double scale = 0.1;
        for (++at; at < text.size() && isDigit(at); ++at) {
            number += (text[at] - '0') * scale;
            scale /= 10;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return number;
}

// True when `version` is an earlier version than `reference`. A text without a number counts
// as 0, as a missing version ("0.00") does.
constexpr bool IsVersionBelow(std::string_view version, std::string_view reference) noexcept
{
    return VersionNumber(version).value_or(0) < VersionNumber(reference).value_or(0);
}
