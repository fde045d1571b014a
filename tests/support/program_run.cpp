#include "support/program_run.h"

StartedProgram::StartedProgram(const std::string& commandLine)
{
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    process_.Reset(process.hProcess);
    processId_ = process.dwProcessId;
}

StartedProgram::~StartedProgram()
{
    if (process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT)
        ::TerminateProcess(process_.Get(), 99);
}

bool StartedProgram::WaitForEnd(DWORD timeoutMs, DWORD& exitCode) const
{
    if (!process_ || ::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return false;
    return ::GetExitCodeProcess(process_.Get(), &exitCode) != FALSE;
}
