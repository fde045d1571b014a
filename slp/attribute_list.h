#pragma once

// The attribute list of an SLP attribute reply: "(tag=value,value...)" items and bare keywords,
// separated by commas. No Windows headers, so that it can be fuzzed natively.

#include <optional>
#include <string>
#include <vector>

struct AttributeText {
    std::optional<std::wstring> tag;        // nothing when it is not valid UTF-8
    std::optional<std::string> rawValue;    // as received; nothing for a keyword
    std::optional<std::wstring> firstValue; // decoded; nothing for a keyword or when undecodable
};

// The attributes in the order they stand. An item that is not closed, or has an empty value,
// ends the list there.
std::vector<AttributeText> ParseAttributeList(const char* list);
