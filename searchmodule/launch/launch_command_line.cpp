#include "launch_command_line.h"

#include <algorithm>

namespace LaunchCommandLine {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace

bool HasBalancedQuotes(const std::string& target)
{
    return std::count(target.begin(), target.end(), '"') % 2 == 0;
}

Target SplitTarget(const std::string& target, const std::function<bool(const std::string&)>& isFile)
{
    const std::string text = TrimBlanks(target);
    if (!text.empty() && text.front() == '"') {
        const auto closing = text.find('"', 1);
        if (closing != std::string::npos)
            return {text.substr(1, closing - 1), TrimBlanks(text.substr(closing + 1))};
    }
    // Longest first: "\\S\CD\Office Setup\setup.exe /q" starts the program with the blank.
    for (auto end = text.size(); end != std::string::npos && end > 0; end = text.find_last_of(" \t", end - 1)) {
        const std::string candidate = TrimBlanks(text.substr(0, end));
        if (!candidate.empty() && isFile(candidate))
            return {candidate, TrimBlanks(text.substr(end))};
    }
    return {text, {}};
}

std::string QuoteArgument(const std::string& value)
{
    if (!value.empty() && value.find_first_of(" \t\"") == std::string::npos)
        return value;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : value) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quotation mark follows them.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string JoinArguments(const std::string& targetArguments, const std::vector<std::string>& answers)
{
    std::string line = targetArguments;
    for (const std::string& answer : answers) {
        if (!line.empty())
            line += ' ';
        line += QuoteArgument(answer);
    }
    return line;
}

} // namespace LaunchCommandLine
