#include "schedule_text.h"

#include "settings/scheduled_task.h"

namespace {

constexpr size_t kMostDigits = 10;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsPictureLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

} // namespace

std::optional<unsigned long> ParsePeriodCount(const std::string& text, unsigned long unit)
{
    // What writes back unchanged is exactly "0" or digits without a leading zero.
    if (text.empty() || text.size() > kMostDigits || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    unsigned long long count = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        count = count * 10 + static_cast<unsigned long long>(c - '0');
    }
    if (count > kLongestPeriodMinutes || !PeriodMinutes(static_cast<unsigned long>(count), unit))
        return std::nullopt;
    return static_cast<unsigned long>(count);
}

std::string TimeFormatWithoutSeconds(const std::string& format)
{
    std::string result;
    bool quoted = false;
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            quoted = !quoted;
            result += c;
            ++i;
            continue;
        }
        if (quoted || c != 's') {
            result += c;
            ++i;
            continue;
        }
        // A seconds field: drop it with the separator in front of it, or, when it opens the
        // picture, with the one after it.
        while (i < format.size() && format[i] == 's')
            ++i;
        size_t kept = result.size();
        while (kept > 0 && !IsPictureLetter(result[kept - 1]) && result[kept - 1] != '\'')
            --kept;
        if (kept > 0) {
            result.erase(kept);
        } else {
            result.clear();
            while (i < format.size() && !IsPictureLetter(format[i]) && format[i] != '\'')
                ++i;
        }
    }
    return result;
}
