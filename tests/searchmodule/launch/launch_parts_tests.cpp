// The pieces a launch object's start is made of: the command line from the target and the
// answers, its paths through a mapped drive, the answers of its file dialog, and the gate that
// lets one request at a time ask the user.

#include "action_file_dialog.h"
#include "launch_command_line.h"
#include "launch_drive_paths.h"
#include "user_request_gate.h"

#include "support/guarded_bytes.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <set>
#include <stdexcept>

namespace {

using LaunchCommandLine::JoinArguments;
using LaunchCommandLine::QuoteArgument;
using LaunchCommandLine::SplitTarget;

// What a program started with this argument text sees, as the C runtime parses it.
std::vector<std::string> ParsedArguments(const std::string& arguments)
{
    const std::wstring line = L"program.exe " + std::wstring(arguments.begin(), arguments.end());
    int count = 0;
    LPWSTR* parsed = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = parsed[i];
        result.emplace_back(argument.begin(), argument.end());
    }
    ::LocalFree(parsed);
    return result;
}

TEST(LaunchCommandLineTest, EveryAnswerReachesTheProgramAsOneArgumentUnchanged)
{
    const std::vector<std::string> answers = {
        "plain", "D:\\My Data", "D:\\My Data\\", "say \"hi\"", "", "C:\\", "a\\\\b", "tab\there", "\\\\SERVER\\SHARE"};
    EXPECT_EQ(answers, ParsedArguments(JoinArguments("", answers)));

    // The target's own arguments come first, as written.
    const std::vector<std::string> expected = {"/q", "/log", "one", "two words"};
    EXPECT_EQ(expected, ParsedArguments(JoinArguments("/q /log", {"one", "two words"})));
    EXPECT_EQ("plain", QuoteArgument("plain")) << "what needs no quotes gets none";
}

TEST(LaunchCommandLineTest, TheProgramIsTheQuotedPartOrTheLongestExistingFile)
{
    const std::set<std::string> files = {"\\\\S\\CD\\Office Setup\\setup.exe", "\\\\S\\CD\\run.exe"};
    const auto isFile = [&](const std::string& path) { return files.count(path) != 0; };

    auto target = SplitTarget("\"\\\\S\\CD\\Other Dir\\x.exe\" /a \"b c\"", isFile);
    EXPECT_EQ("\\\\S\\CD\\Other Dir\\x.exe", target.program);
    EXPECT_EQ("/a \"b c\"", target.arguments);

    target = SplitTarget("\\\\S\\CD\\Office Setup\\setup.exe /quiet now", isFile);
    EXPECT_EQ("\\\\S\\CD\\Office Setup\\setup.exe", target.program);
    EXPECT_EQ("/quiet now", target.arguments);

    target = SplitTarget("  \\\\S\\CD\\run.exe  ", isFile);
    EXPECT_EQ("\\\\S\\CD\\run.exe", target.program);
    EXPECT_EQ("", target.arguments);

    // Nothing exists: the whole target, for the shell to report as missing.
    target = SplitTarget("\\\\S\\CD\\gone away.exe /x", isFile);
    EXPECT_EQ("\\\\S\\CD\\gone away.exe /x", target.program);
    EXPECT_EQ("", target.arguments);
}

TEST(LaunchCommandLineTest, UnbalancedQuotationMarksAreFound)
{
    EXPECT_TRUE(LaunchCommandLine::HasBalancedQuotes("\"C:\\a b\\x.exe\" \"arg\""));
    EXPECT_TRUE(LaunchCommandLine::HasBalancedQuotes("C:\\x.exe"));
    EXPECT_FALSE(LaunchCommandLine::HasBalancedQuotes("\"C:\\a b\\x.exe"));
    EXPECT_FALSE(LaunchCommandLine::HasBalancedQuotes("\"C:\\x.exe\" \"open"));
}

TEST(PathOnDriveTest, PathsOnTheOwnDiscAreReachedThroughItsDrive)
{
    const std::string share = "\\\\ALPHA\\CD1";
    EXPECT_EQ("F:\\tools\\run.exe", PathOnDrive("\\\\alpha\\cd1\\tools\\run.exe", share, "F:"));
    EXPECT_EQ("F:\\", PathOnDrive("\\\\ALPHA\\CD1", share, "F:"));
    // Another share, a share whose name only begins alike, no drive or no share: unchanged.
    EXPECT_EQ("\\\\ALPHA\\CD10\\run.exe", PathOnDrive("\\\\ALPHA\\CD10\\run.exe", share, "F:"));
    EXPECT_EQ("\\\\BRAVO\\CD1\\run.exe", PathOnDrive("\\\\BRAVO\\CD1\\run.exe", share, "F:"));
    EXPECT_EQ("\\\\ALPHA\\CD1\\run.exe", PathOnDrive("\\\\ALPHA\\CD1\\run.exe", share, ""));
    EXPECT_EQ("C:\\run.exe", PathOnDrive("C:\\run.exe", "", "F:"));
}

TEST(ShareOfPathTest, OnlyAServerAndAShareMakeAShare)
{
    EXPECT_EQ("\\\\S\\SH", ShareOfPath("\\\\S\\SH\\dir\\file.exe"));
    EXPECT_EQ("\\\\S\\SH", ShareOfPath("\\\\S\\SH"));
    EXPECT_EQ("", ShareOfPath("\\\\S"));
    EXPECT_EQ("", ShareOfPath("\\\\S\\"));
    EXPECT_EQ("", ShareOfPath("\\\\\\SH"));
    EXPECT_EQ("", ShareOfPath("C:\\dir"));
}

TEST(ActionFileDialogTest, FileTypesBecomeTheFilterAndEntriesWithoutPatternAreLeftOut)
{
    const std::string filter = ActionFileDialog::FilterFromListItems("Text files:*.txt|nothing|:*.x|All files:*.*");
    EXPECT_EQ(std::string("Text files\0*.txt\0All files\0*.*\0\0", 32), filter);
    EXPECT_EQ("", ActionFileDialog::FilterFromListItems(""));
}

TEST(ActionFileDialogTest, OneOrSeveralChosenFilesBecomeFullPathsAndNothingIsReadPastTheAnswer)
{
    const std::string single("C:\\data\\a.txt\0\0", 15);
    EXPECT_EQ((std::vector<std::string>{"C:\\data\\a.txt"}), ActionFileDialog::PathsFromAnswer(single.data(), single.size()));

    const std::string several("C:\\data\0a.txt\0b c.txt\0\0", 23);
    EXPECT_EQ((std::vector<std::string>{"C:\\data\\a.txt", "C:\\data\\b c.txt"}),
              ActionFileDialog::PathsFromAnswer(several.data(), several.size()));
    const std::string atRoot("C:\\\0a.txt\0b.txt\0\0", 17);
    EXPECT_EQ((std::vector<std::string>{"C:\\a.txt", "C:\\b.txt"}),
              ActionFileDialog::PathsFromAnswer(atRoot.data(), atRoot.size()));

    // An answer whose last name has no end inside it: that name is no answer.
    const GuardedBytes cut({'C', ':', '\\', 'd', 0, 'a', '.', 't', 'x', 't', 0, 'b', '.', 't'});
    EXPECT_EQ((std::vector<std::string>{"C:\\d\\a.txt"}), ActionFileDialog::PathsFromAnswer(cut.Text(), cut.Size()));
    const GuardedBytes nothing({'C', ':', '\\'});
    EXPECT_TRUE(ActionFileDialog::PathsFromAnswer(nothing.Text(), nothing.Size()).empty());
}

TEST(UserRequestGateTest, TheModulesOwnWorkWaitsForTheAskingRequestAndRequestsWaitForNothing)
{
    std::vector<std::string> done;
    int wakes = 0;
    UserRequestGate gate([&] { ++wakes; });

    // A program ends while a request asks: its end waits, and the gate wakes it afterwards.
    EXPECT_EQ(S_OK, gate.Run("request", [&] {
        gate.RunOrWait("program end", [&] { done.push_back("end"); });
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BUSY), gate.Run("second request", [] { return S_OK; }));
        done.push_back("request");
        return S_OK;
    }));
    EXPECT_EQ(std::vector<std::string>{"request"}, done);
    EXPECT_EQ(1, wakes);
    gate.RunWaiting();
    EXPECT_EQ((std::vector<std::string>{"request", "end"}), done);

    // With the gate open it runs at once, holds the gate while it asks, and a failing piece of
    // work does not keep the next from running.
    gate.RunOrWait("program end", [&] {
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BUSY), gate.Run("request", [] { return S_OK; }));
        gate.RunOrWait("another end", [&] { done.push_back("another end"); });
        throw std::runtime_error("no network");
    });
    EXPECT_EQ((std::vector<std::string>{"request", "end", "another end"}), done);
    EXPECT_EQ(S_OK, gate.Run("request", [] { return S_OK; }));
}

} // namespace
