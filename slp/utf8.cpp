#include "utf8.h"

std::optional<std::wstring> Utf8ToWide(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        unsigned unit = 0;
        std::size_t continuations = 0;
        if (lead <= 0x7F) {
            unit = lead;
        } else if (lead >= 0xC0 && lead <= 0xDF) {
            unit = lead & 0x1Fu;
            continuations = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            unit = lead & 0x0Fu;
            continuations = 2;
        } else {
            return std::nullopt;
        }
        for (; continuations > 0; --continuations) {
            if (i >= text.size())
                return std::nullopt;
            const auto next = static_cast<unsigned char>(text[i++]);
            if ((next & 0xC0u) != 0x80u)
                return std::nullopt;
            unit = unit << 6 | (next & 0x3Fu);
        }
        wide.push_back(static_cast<wchar_t>(unit));
    }
    return wide;
}
