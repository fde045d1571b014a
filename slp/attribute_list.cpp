#include "attribute_list.h"

#include "slp_escapes.h"
#include "utf8.h"

#include <string_view>

namespace {

std::optional<std::wstring> DecodeFirstValue(std::string_view raw)
{
    const std::optional<std::string> resolved = ResolveEscapes(raw.substr(0, raw.find(',')));
    if (!resolved)
        return std::nullopt;
    return Utf8ToWide(*resolved);
}

} // namespace

std::vector<AttributeText> ParseAttributeList(const char* list)
{
    std::vector<AttributeText> attributes;
    if (list == nullptr)
        return attributes;
    const std::string_view text(list);
    std::size_t position = 0;
    while (position < text.size()) {
        AttributeText attribute;
        if (text[position] == '(') {
            const std::size_t equals = text.find('=', position + 1);
            if (equals == std::string_view::npos)
                break;
            const std::size_t valueStart = equals + 1;
            const std::size_t close = text.find(')', valueStart);
            if (close == std::string_view::npos || close == valueStart)
                break;
            const std::string_view raw = text.substr(valueStart, close - valueStart);
            attribute.tag = Utf8ToWide(text.substr(position + 1, equals - position - 1));
            attribute.rawValue = std::string(raw);
            attribute.firstValue = DecodeFirstValue(raw);
            position = close + 1;
            if (position < text.size() && text[position] == ',')
                ++position;
        } else {
            const std::size_t comma = text.find(',', position);
            attribute.tag = Utf8ToWide(text.substr(position, comma - position));
            position = comma == std::string_view::npos ? text.size() : comma + 1;
        }
        attributes.push_back(std::move(attribute));
    }
    return attributes;
}
