#include "settings/next_event_text.h"

#include "text/text_format.h"

#include <array>
#include <cctype>

namespace {

constexpr unsigned kFirstYear = 1970;
constexpr unsigned kLastYear = 2100;

// Splits the text into exactly five runs of at most four digits, blanks between them.
bool ReadFiveNumbers(const std::string& text, std::array<unsigned, 5>& numbers)
{
    size_t position = 0;
    for (unsigned& number : numbers) {
        while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])))
            ++position;
        const size_t start = position;
        number = 0;
        while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]))) {
            number = number * 10 + static_cast<unsigned>(text[position] - '0');
            ++position;
        }
        if (position == start || position - start > 4)
            return false;
        if (position < text.size() && !std::isspace(static_cast<unsigned char>(text[position])))
            return false;
    }
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])))
        ++position;
    return position == text.size();
}

} // namespace

bool ParseNextEvent(const std::string& text, std::time_t& when)
{
    std::array<unsigned, 5> n{};
    if (!ReadFiveNumbers(text, n))
        return false;
    const unsigned year = n[0], month = n[1], day = n[2], hour = n[3], minute = n[4];
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
        minute > 59)
        return false;
    std::tm local{};
    local.tm_year = static_cast<int>(year) - 1900;
    local.tm_mon = static_cast<int>(month) - 1;
    local.tm_mday = static_cast<int>(day);
    local.tm_hour = static_cast<int>(hour);
    local.tm_min = static_cast<int>(minute);
    local.tm_isdst = -1;
    const std::time_t result = std::mktime(&local);
    // mktime moves a 31 February on to March: that day does not exist.
    if (result == static_cast<std::time_t>(-1) || local.tm_mday != static_cast<int>(day) ||
        local.tm_mon != static_cast<int>(month) - 1)
        return false;
    when = result;
    return true;
}

std::string FormatNextEvent(std::time_t when)
{
    const std::tm* local = std::localtime(&when);
    if (!local)
        return {};
    return FormatText("%u %u %u %u %u", static_cast<unsigned>(local->tm_year + 1900),
                      static_cast<unsigned>(local->tm_mon + 1), static_cast<unsigned>(local->tm_mday),
                      static_cast<unsigned>(local->tm_hour), static_cast<unsigned>(local->tm_min));
}
