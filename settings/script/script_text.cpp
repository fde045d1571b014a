#include "script_text.h"

#include "text/ascii_text.h"

#include <cstddef>
#include <vector>

namespace {

std::string TrimmedLine(const std::string& text) { return std::string(TrimmedBlanks(text)); }

struct Line {
    std::string content;   // without its end
    std::string end;       // "\r\n", "\n" or "" (the last line)
};

std::vector<Line> SplitLines(const std::string& text)
{
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t feed = text.find('\n', start);
        if (feed == std::string::npos) {
            lines.push_back({text.substr(start), ""});
            break;
        }
        const bool carriage = feed > start && text[feed - 1] == '\r';
        lines.push_back({text.substr(start, feed - start - (carriage ? 1 : 0)), carriage ? "\r\n" : "\n"});
        start = feed + 1;
    }
    return lines;
}

// The section a line opens ("[name]"), or false when it opens none.
bool SectionOf(const std::string& line, std::string& name)
{
    const std::string trimmed = TrimmedLine(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return false;
    const size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = TrimmedLine(trimmed.substr(1, close - 1));
    return true;
}

bool IsKeyLine(const std::string& line, const std::string& key)
{
    const size_t equals = line.find('=');
    return equals != std::string::npos && EqualsAsciiNoCase(TrimmedLine(line.substr(0, equals)), key);
}

// The line end the text uses, "\r\n" for a text that has none yet.
std::string LineEndOf(const std::vector<Line>& lines)
{
    for (const Line& line : lines) {
        if (!line.end.empty())
            return line.end;
    }
    return "\r\n";
}

} // namespace

bool IsIniText(const std::string& text) { return text.find('\0') == std::string::npos; }

bool IsIniLine(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos; }

std::string SetIniEntry(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value)
{
    std::vector<Line> lines = SplitLines(text);
    const std::string end = LineEndOf(lines);
    const std::string entry = key + "=" + value;

    // The first section of that name: from its header to the next header.
    size_t header = lines.size();
    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (SectionOf(lines[i].content, name) && EqualsAsciiNoCase(name, section)) {
            header = i;
            break;
        }
    }
    if (header == lines.size()) {
        if (value.empty())
            return text;
        if (!lines.empty() && lines.back().end.empty())
            lines.back().end = end;
        lines.push_back({"[" + section + "]", end});
        lines.push_back({entry, end});
    } else {
        size_t sectionEnd = header + 1;
        while (sectionEnd < lines.size() && !SectionOf(lines[sectionEnd].content, name))
            ++sectionEnd;
        // The last line of the section that is not blank: a new key goes after it.
        size_t lastFilled = header;
        bool written = false;
        std::vector<Line> edited(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(header) + 1);
        for (size_t i = header + 1; i < sectionEnd; ++i) {
            if (IsKeyLine(lines[i].content, key)) {
                if (!written && !value.empty()) {
                    edited.push_back({entry, lines[i].end});
                    lastFilled = edited.size() - 1;
                }
                written = true;
                continue;
            }
            edited.push_back(lines[i]);
            if (!TrimmedLine(lines[i].content).empty())
                lastFilled = edited.size() - 1;
        }
        if (!written && !value.empty()) {
            if (edited[lastFilled].end.empty())
                edited[lastFilled].end = end;
            edited.insert(edited.begin() + static_cast<std::ptrdiff_t>(lastFilled) + 1, {entry, end});
        }
        edited.insert(edited.end(), lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), lines.end());
        lines = std::move(edited);
    }

    std::string result;
    for (const Line& line : lines)
        result += line.content + line.end;
    return result;
}
