#include "new_item_names.h"

#include "text/text_format.h"

#include <cstdlib>

std::string NextFreeName(const std::string& base, const std::string& taken)
{
    const auto bracket = taken.find_last_of('(');
    if (bracket == std::string::npos)
        return FormatText("%s (2)", base);
    const long number = std::strtol(taken.c_str() + bracket + 1, nullptr, 10);
    // A bracket without a usable number starts the count again.
    if (number < 1 || number >= 100000)
        return FormatText("%s (2)", base);
    return FormatText("%s (%d)", base, static_cast<int>(number + 1));
}
