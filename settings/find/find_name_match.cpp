#include "find_name_match.h"

#include "text/ascii_text.h"

#include <windows.h>

namespace {

// Letter case folded in the user's code page, as the names' own comparisons do.
std::string Folded(std::string text)
{
    if (!text.empty())
        ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The whole of name against the whole of pattern; a "*" retries only from its latest position,
// so the work stays proportional to the lengths multiplied, never exponential.
bool WildcardMatches(const std::string& name, const std::string& pattern)
{
    size_t n = 0;
    size_t p = 0;
    size_t starAt = std::string::npos;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && pattern[p] == name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool FindNameMatches(const std::string& name, const std::string& pattern)
{
    const std::string wanted = Folded(std::string(TrimmedBlanks(pattern)));
    const std::string folded = Folded(name);
    if (wanted.find('*') == std::string::npos)
        return WildcardMatches(folded, "*" + wanted + "*");
    return WildcardMatches(folded, wanted);
}
