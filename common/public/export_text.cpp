#include "public/export_text.h"

#include "text/ascii_text.h"

#include <charconv>

namespace export_text {

namespace {

constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::string_view kLineEnd = "\r\n";
// A DWORD has at most eight hexadecimal digits (more only as leading zeros, which the writer
// never puts and a longer number would not fit).
constexpr std::size_t kMaxDwordDigits = 8;

bool HasLineBreakOrZero(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

bool IsQuoted(std::string_view text) { return text.size() >= 2 && text.front() == '"' && text.back() == '"'; }

std::string_view Unquoted(std::string_view text) { return text.substr(1, text.size() - 2); }

std::optional<std::uint32_t> ParseDword(std::string_view digits)
{
    if (digits.empty() || digits.size() > kMaxDwordDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

std::optional<Value> ParseValueLine(std::string_view line)
{
    const auto equals = line.find('=');
    const std::string_view quotedName = TrimmedBlanks(line.substr(0, equals));
    const std::string_view data = TrimmedBlanks(line.substr(equals + 1));
    if (!IsQuoted(quotedName) || HasLineBreakOrZero(quotedName))
        return std::nullopt;
    Value value;
    value.name = std::string(Unquoted(quotedName));
    if (StartsWithAsciiNoCase(data, kDwordPrefix)) {
        const auto number = ParseDword(data.substr(kDwordPrefix.size()));
        if (!number)
            return std::nullopt;
        value.isNumber = true;
        value.number = *number;
        return value;
    }
    if (!IsQuoted(data) || HasLineBreakOrZero(data))
        return std::nullopt;
    value.text = RemoveExtraBackslashes(Unquoted(data));
    return value;
}

}  // namespace

std::string AddExtraBackslashes(std::string_view text)
{
    std::string doubled;
    doubled.reserve(text.size() + 8);
    for (const char c : text) {
        doubled += c;
        if (c == '\\')
            doubled += '\\';
    }
    return doubled;
}

std::string RemoveExtraBackslashes(std::string_view text)
{
    std::string single;
    single.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        single += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\')
            ++i;
    }
    return single;
}

bool CanWriteKeyName(std::string_view keyName) { return !HasLineBreakOrZero(keyName); }

bool CanWrite(const Value& value)
{
    return !HasLineBreakOrZero(value.name) && value.name.find('=') == std::string::npos &&
           (value.isNumber || !HasLineBreakOrZero(value.text));
}

std::string ValueLine(const Value& value)
{
    std::string line = "\"" + value.name + "\"=";
    if (value.isNumber) {
        char digits[kMaxDwordDigits];
        const auto end = std::to_chars(digits, digits + sizeof digits, value.number, 16).ptr;
        line.append(kDwordPrefix).append(digits, end);
    } else {
        line += "\"" + AddExtraBackslashes(value.text) + "\"";
    }
    return line;
}

void AppendSection(std::string& text, const Section& section)
{
    if (section.values.empty())
        return;
    text.append("[").append(section.keyName).append("]").append(kLineEnd);
    for (const Value& value : section.values)
        text.append(ValueLine(value)).append(kLineEnd);
    text.append(kLineEnd);
}

ParsedText Parse(std::string_view text)
{
    ParsedText parsed;
    Section* current = nullptr;
    bool underBrokenHeader = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = TrimmedBlanks(text.substr(0, end));
        text = end == text.npos ? std::string_view() : text.substr(end + 1);

        if (line.empty()) {
            current = nullptr;   // a key's values end at an empty line
            underBrokenHeader = false;
        } else if (line.front() == '[') {
            current = nullptr;
            underBrokenHeader = line.size() < 2 || line.back() != ']' || HasLineBreakOrZero(line);
            if (!underBrokenHeader) {
                parsed.sections.push_back({std::string(line.substr(1, line.size() - 2)), {}});
                current = &parsed.sections.back();
            }
        } else if (line.find('=') != line.npos) {
            // Lines outside any section (a header such as "REGEDIT4") are not values of anything.
            std::optional<Value> value = current ? ParseValueLine(line) : std::nullopt;
            if (value)
                current->values.push_back(std::move(*value));
            else if (current || underBrokenHeader)
                ++parsed.unreadLines;
        }
    }
    return parsed;
}

std::optional<std::string> PathBelowKey(std::string_view keyName, std::string_view folderKey)
{
    if (!StartsWithAsciiNoCase(keyName, folderKey))
        return std::nullopt;
    std::string_view below = keyName.substr(folderKey.size());
    if (below.empty())
        return std::string();
    if (below.front() != '\\')
        return std::nullopt;   // another key whose name only begins with the folder's
    below.remove_prefix(1);
    // Windows takes a forward slash for a separator in paths, and the names of cache keys become
    // paths, so neither kind of slash may make an empty or climbing part.
    for (std::string_view rest = below;;) {
        const auto slash = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, slash);
        if (part.empty() || part == "." || part == "..")
            return std::nullopt;
        if (slash == rest.npos)
            break;
        rest.remove_prefix(slash + 1);
    }
    return std::string(below);
}

}  // namespace export_text
