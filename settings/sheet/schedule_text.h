#pragma once

#include <optional>
#include <string>

// The period count as the user typed it: read as a decimal number and written back, the text
// must come back the same ("12a", " 12" and "007" do not) and must not be negative, and with
// its unit (0 minutes, 1 hours, 2 days) it must make a period the search module runs (see
// PeriodMinutes). Nothing when the text is refused.
std::optional<unsigned long> ParsePeriodCount(const std::string& text, unsigned long unit);

// A time picture of the user's locale ("h:mm:ss tt") without its seconds and their separator
// ("h:mm tt"): the schedules are kept to the minute. Quoted literal text is left alone.
std::string TimeFormatWithoutSeconds(const std::string& format);
