#include "command_line.h"

#include "support/box_answerer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PurgeCommandLineTest, ModeComesFromTheLastKnownParameter)
{
    EXPECT_EQ(RunMode::Silent, RunModeOf(L"Clearbay.exe s"));
    EXPECT_EQ(RunMode::Silent, RunModeOf(L"\"C:\\Program Files\\Halvo\\Clearbay.exe\" /s"));
    EXPECT_EQ(RunMode::Silent, RunModeOf(L"Clearbay.exe -S"));
    EXPECT_EQ(RunMode::Interactive, RunModeOf(L"Clearbay.exe user"));
    EXPECT_EQ(RunMode::Interactive, RunModeOf(L"Clearbay.exe /user"));
    EXPECT_EQ(RunMode::Interactive, RunModeOf(L"Clearbay.exe -s -user"));
    EXPECT_EQ(RunMode::Silent, RunModeOf(L"Clearbay.exe -user other -s"));

    EXPECT_EQ(RunMode::Unusable, RunModeOf(L"Clearbay.exe"));
    EXPECT_EQ(RunMode::Unusable, RunModeOf(L""));
    EXPECT_EQ(RunMode::Unusable, RunModeOf(L"Clearbay.exe silent"));
    EXPECT_EQ(RunMode::Unusable, RunModeOf(L"Clearbay.exe --s"));
    EXPECT_EQ(RunMode::Unusable, RunModeOf(L"Clearbay.exe users /x"));
    // The program's own name is not a parameter.
    EXPECT_EQ(RunMode::Unusable, RunModeOf(L"s"));
}

std::string ProgramBesideTests(const char* name)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

struct ProgramRun {
    DWORD exitCode = static_cast<DWORD>(-1);
    std::vector<BoxAnswerer::Box> boxes;
};

// Runs the purge program, answering the boxes it shows.
ProgramRun RunClearbay(const std::string& arguments)
{
    ProgramRun run;
    std::string commandLine = "\"" + ProgramBesideTests("Clearbay.exe") + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return run;
    {
        BoxAnswerer answerer(process.dwProcessId);
        if (::WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(process.hProcess, &run.exitCode);
        else
            ::TerminateProcess(process.hProcess, 99);
        run.boxes = answerer.Boxes();
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}

TEST(PurgeCommandLineTest, ProgramWithoutAModeOnlySaysItCannotBeUsedThatWay)
{
    for (const char* arguments : {"", "/x"}) {
        const ProgramRun run = RunClearbay(arguments);
        EXPECT_EQ(1u, run.exitCode) << arguments;
        ASSERT_EQ(1u, run.boxes.size()) << arguments;
        EXPECT_EQ("Clearbay", run.boxes[0].caption);
        EXPECT_EQ("This program cannot be used this way.", run.boxes[0].text);
    }
}

} // namespace
