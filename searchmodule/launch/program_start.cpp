#include "program_start.h"

#include <shellapi.h>

int ShowCommandOf(int startAs)
{
    switch (startAs) {
    case 1:
        return SW_SHOWMINNOACTIVE;
    case 2:
        return SW_SHOWMAXIMIZED;
    default:
        return SW_SHOWNORMAL;
    }
}

DWORD StartProgram(const ProgramStart& start, ScopedKernelHandle& process)
{
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    // No UI of the shell's own: a failure is reported by the caller, once.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    execute.lpFile = start.program.c_str();
    execute.lpParameters = start.arguments.empty() ? nullptr : start.arguments.c_str();
    execute.lpDirectory = start.workingFolder.empty() ? nullptr : start.workingFolder.c_str();
    execute.nShow = ShowCommandOf(start.startAs);
    if (!::ShellExecuteExA(&execute)) {
        const DWORD error = ::GetLastError();
        return error != NO_ERROR ? error : ERROR_FILE_NOT_FOUND;
    }
    process.Reset(execute.hProcess);
    return NO_ERROR;
}
