#pragma once

#include "base/scoped_handle.h"

#include <windows.h>

#include <string>

// Starts a program or opens a document the way the shell would, in a working folder and with
// a window state ("StartAs": 0 normal, 1 minimised, 2 maximised).
struct ProgramStart {
    std::string program;
    std::string arguments;
    std::string workingFolder;
    int startAs = 0;
};

// NO_ERROR and the started process (null when the shell handed the file to a program already
// running), or the Windows error code.
DWORD StartProgram(const ProgramStart& start, ScopedKernelHandle& process);

// The window state for ShowWindow of a stored "StartAs".
int ShowCommandOf(int startAs);
