#pragma once

#include <functional>
#include <string>
#include <vector>

// How a launch object's command line is made from its target file and the answers of its
// action chain. Kept free of the Windows headers: it is plain text work.
//
// The rule:
// - The target file must have balanced quotation marks; otherwise nothing starts.
// - The program is the quoted text when the target begins with a quotation mark, else the
//   longest blank-separated beginning of the target that names an existing file (so that an
//   unquoted path with blanks works), else the whole target. What follows the program is the
//   target's own arguments, kept as written.
// - Each answer of the chain follows, in chain order, as one argument of its own, quoted when
//   it is empty or holds a blank, a tab or a quotation mark (with the escapes the C runtime's
//   argument parser reads back), so that a chosen path with blanks stays one argument.
namespace LaunchCommandLine {

struct Target {
    std::string program;
    std::string arguments;
};

bool HasBalancedQuotes(const std::string& target);

// isFile answers whether a path names an existing file.
Target SplitTarget(const std::string& target, const std::function<bool(const std::string&)>& isFile);

// One argument as the C runtime's parser reads it back unchanged.
std::string QuoteArgument(const std::string& value);

// The target's own arguments followed by the answers.
std::string JoinArguments(const std::string& targetArguments, const std::vector<std::string>& answers);

} // namespace LaunchCommandLine
