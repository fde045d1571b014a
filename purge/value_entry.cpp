#include "value_entry.h"

std::string MakeValueEntry(const std::string& keyPath, const std::string& valueName)
{
    return keyPath + ":  " + valueName;
}

namespace {

std::string TrimSpaces(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::optional<ValueLocation> SplitValueEntry(const std::string& entry)
{
    const size_t colon = entry.rfind(':');
    if (colon == std::string::npos)
        return std::nullopt;
    ValueLocation location{TrimSpaces(entry.substr(0, colon)), TrimSpaces(entry.substr(colon + 1))};
    if (location.keyPath.empty())
        return std::nullopt;
    return location;
}
