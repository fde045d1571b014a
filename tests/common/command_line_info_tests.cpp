#include "base/command_line_info.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The switch's value as IsParameterSupplied leaves it, starting from a marker.
std::string ValueOf(const CommandLineInfo& commandLine, const std::string& name)
{
    std::string value = "untouched";
    return commandLine.IsParameterSupplied(name, value) ? value : "not supplied";
}

TEST(CommandLineInfoTest, SwitchesAreFoundWithEitherFlagInAnyCaseWithTheirValueAsTyped)
{
    EXPECT_EQ("3", ValueOf(CommandLineInfo(L"Dialwise.exe -S:3"), "s"));
    EXPECT_EQ("3", ValueOf(CommandLineInfo(L"Dialwise.exe /s:3"), "S"));
    // Without a colon the value is left as the caller had it.
    EXPECT_EQ("untouched", ValueOf(CommandLineInfo(L"Dialwise.exe -s"), "s"));
    // Only the first colon separates, and the value keeps its case.
    EXPECT_EQ("Folder\\Item:x", ValueOf(CommandLineInfo(L"Dialwise.exe -e:Folder\\Item:x"), "e"));
    // Quotes group a path with blanks, as the desktop shortcuts pass it.
    EXPECT_EQ("My Discs\\Office Suite", ValueOf(CommandLineInfo(L"Dialwise.exe \"-a:My Discs\\Office Suite\""), "a"));
}

TEST(CommandLineInfoTest, OnlyTheWholeNameBeforeTheColonMatchesAndTheFirstMatchWins)
{
    const CommandLineInfo commandLine(L"\"C:\\Program Files\\Dialwise.exe\" -sx:1 -s:2 -s:3 p");
    EXPECT_EQ("2", ValueOf(commandLine, "s"));
    EXPECT_EQ("1", ValueOf(commandLine, "sx"));
    // A parameter without a flag counts as well; the program's own path is no parameter.
    EXPECT_EQ("untouched", ValueOf(commandLine, "p"));
    EXPECT_EQ("not supplied", ValueOf(commandLine, "u"));
    EXPECT_EQ("not supplied", ValueOf(commandLine, "C"));
    EXPECT_EQ("not supplied", ValueOf(CommandLineInfo(L""), "s"));
}

} // namespace
