#include "public/index_text.h"

#include "text/ascii_text.h"

#include <algorithm>

namespace index_text {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsQuote(char c) { return c == '"' || c == '\''; }

// As GetPrivateProfileString reads a value: one pair of like quotes around it goes.
std::string_view WithoutQuotes(std::string_view value)
{
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreakOrZero(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

std::string WritableValue(std::string_view value)
{
    std::string text(value);
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    const bool needsQuotes = !text.empty() && (TrimmedBlanks(text).size() != text.size() ||
                                               WithoutQuotes(text).size() != text.size());
    return needsQuotes ? "\"" + text + "\"" : text;
}

Section* Named(std::vector<Section>& sections, std::string_view name)
{
    for (Section& section : sections) {
        if (EqualsAsciiNoCase(section.name, name))
            return &section;
    }
    return nullptr;
}

bool HasKey(const Section& section, std::string_view key)
{
    return std::any_of(section.entries.begin(), section.entries.end(),
                       [&](const Entry& entry) { return EqualsAsciiNoCase(entry.key, key); });
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A part of a path that Windows would read as another name than it shows: empty, only dots,
// or ending in a dot or a blank (which Windows drops).
bool IsAmbiguousPart(std::string_view part)
{
    return part.empty() || part.back() == '.' || part.back() == ' ';
}

}  // namespace

std::vector<Section> Parse(std::string_view text)
{
    std::vector<Section> sections;
    Section* current = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = TrimmedBlanks(text.substr(0, end));
        text = end == text.npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.find('\0') != line.npos || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            current = nullptr;
            if (close == line.npos || close == 1)
                continue;   // no name: its lines belong to nothing
            const std::string_view name = line.substr(1, close - 1);
            if (Named(sections, name))
                continue;   // a section that comes again is not read twice
            sections.push_back({std::string(name), {}});
            current = &sections.back();
            continue;
        }
        const auto equals = line.find('=');
        if (!current || equals == line.npos)
            continue;
        const std::string_view key = TrimmedBlanks(line.substr(0, equals));
        if (key.empty() || HasKey(*current, key))
            continue;
        current->entries.push_back({std::string(key), std::string(WithoutQuotes(TrimmedBlanks(line.substr(equals + 1))))});
    }
    return sections;
}

bool CanWriteSectionName(std::string_view name)
{
    return !name.empty() && !HasLineBreakOrZero(name) && TrimmedBlanks(name).size() == name.size();
}

std::string Format(const std::vector<Section>& sections)
{
    std::string text;
    for (const Section& section : sections) {
        if (!CanWriteSectionName(section.name))
            continue;
        text.append("[").append(section.name).append("]").append(kLineEnd);
        for (const Entry& entry : section.entries)
            text.append(entry.key).append("=").append(WritableValue(entry.value)).append(kLineEnd);
        text.append(kLineEnd);
    }
    return text;
}

std::string ValueOf(const Section& section, std::string_view key)
{
    for (const Entry& entry : section.entries) {
        if (EqualsAsciiNoCase(entry.key, key))
            return entry.value;
    }
    return {};
}

bool IsInsideFolder(std::string_view path, std::string_view folder)
{
    while (!folder.empty() && IsSeparator(folder.back()))
        folder.remove_suffix(1);
    if (folder.empty() || !StartsWithAsciiNoCase(path, folder))
        return false;
    std::string_view below = path.substr(folder.size());
    if (below.empty() || below.front() != '\\')
        return false;
    below.remove_prefix(1);
    if (below.find(':') != below.npos)
        return false;
    while (true) {
        const auto separator = std::find_if(below.begin(), below.end(), IsSeparator);
        const std::string_view part = below.substr(0, static_cast<std::size_t>(separator - below.begin()));
        if (IsAmbiguousPart(part))
            return false;
        if (separator == below.end())
            return true;
        below.remove_prefix(part.size() + 1);
    }
}

}  // namespace index_text
