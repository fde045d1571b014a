#pragma once

#include <string>

// Whether an item's name matches what the user typed under "Named": blanks around the pattern
// do not count and letter case never does; "*" stands for any run of characters and "?" for
// exactly one. A pattern without "*" matches any name that contains it; one with "*" must match
// from the name's start unless it begins with "*", and to its end unless it ends with "*".
bool FindNameMatches(const std::string& name, const std::string& pattern);
