#include "slp_escapes.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> ResolveEscapes(std::string_view text)
{
    std::string resolved;
    resolved.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            resolved.push_back(text[i]);
            continue;
        }
        if (text.size() - i < 3)
            return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        resolved.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return resolved;
}
