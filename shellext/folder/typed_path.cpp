#include "typed_path.h"

namespace typed_path {

namespace {

bool IsControlCharacter(wchar_t c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::variant<Step, Fault> FirstStep(std::wstring_view path)
{
    if (path.size() > kLongestPath)
        return Fault::TooLong;
    const std::size_t end = path.find(L'\\');
    Step step;
    step.name = path.substr(0, end);
    // One backslash at the very end closes the path, as addresses are often typed; an empty
    // name anywhere else (a path that starts with a backslash, two in a row) is a mistake.
    if (end != std::wstring_view::npos) {
        step.rest = path.substr(end + 1);
        step.eaten = end + 1;
    } else {
        step.eaten = path.size();
    }
    if (step.name.empty() || step.name == L"." || step.name == L"..")
        return Fault::MalformedName;
    for (const wchar_t c : step.name) {
        if (IsControlCharacter(c))
            return Fault::MalformedName;
    }
    return step;
}

}  // namespace typed_path
