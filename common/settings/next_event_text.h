#pragma once

#include "basalt_api.h"

#include <ctime>
#include <string>

// Reads a stored next event, "year month day hour minute" in local time, as the settings
// program writes it. False for anything that is not five plain numbers naming a real minute
// between 1970 and 2100: such a value is damaged, and a schedule is better computed afresh
// than run at a date nobody chose.
BASALT_API bool ParseNextEvent(const std::string& text, std::time_t& when);

// The text of a local time as it is stored: "year month day hour minute"; empty when the time
// cannot be converted.
BASALT_API std::string FormatNextEvent(std::time_t when);
