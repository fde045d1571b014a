#include "text/file_name_text.h"

#include <cstring>

std::string SafeFileNamePart(const std::string& name, std::size_t maxLength)
{
    std::string safe = name.substr(0, maxLength);
    for (char& c : safe) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c))
            c = '_';
    }
    if (safe.find_first_not_of('.') == std::string::npos)
        safe = std::string(safe.size(), '_');
    return safe;
}
