#pragma once

// A path into the namespace as a user types it into the address box or a shortcut keeps it:
// folder names joined by backslashes, each the name a folder shows in its parent. It comes from
// outside, so it is taken apart without trusting it. Nothing here needs the Windows headers.

#include <cstddef>
#include <string_view>
#include <variant>

namespace typed_path {

// Longer than any path the cache can hold (its item keys stay below 240 characters), so a
// longer one is refused before any of it is looked up.
constexpr std::size_t kLongestPath = 1024;

// The first folder name of a path and the path below it (empty when the name is the last).
// Both are views into the path given; eaten counts the characters of the name and of the
// backslash after it.
struct Step {
    std::wstring_view name;
    std::wstring_view rest;
    std::size_t eaten = 0;
};

enum class Fault {
    TooLong,       // longer than kLongestPath
    MalformedName, // an empty name, "." or "..", or a control character
};

// The first step of path, or why the path cannot name a folder. Only the first name is checked
// here; the folder it leads to checks the rest in turn.
std::variant<Step, Fault> FirstStep(std::wstring_view path);

}  // namespace typed_path
