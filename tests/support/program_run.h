#pragma once

#include "base/scoped_handle.h"

#include <windows.h>

#include <string>

// A program the test started as a user would, ended by the test if it still runs when the test
// lets it go.
class StartedProgram {
public:
    // commandLine as a shell passes it (the program quoted when its path has blanks).
    explicit StartedProgram(const std::string& commandLine);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD ProcessId() const { return processId_; }
    // Waits for the program to end; its exit code, or nothing on timeout.
    bool WaitForEnd(DWORD timeoutMs, DWORD& exitCode) const;

private:
    ScopedKernelHandle process_;
    DWORD processId_ = 0;
};
