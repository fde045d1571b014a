#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// How the test target program was started, as it recorded it.
struct LaunchRecord {
    std::string commandLine;
    std::string folder;
    int show = -1;
    // The arguments after the program's own name, as the C runtime reads them.
    std::vector<std::string> Arguments() const;
};

// The record at path once the target has written it, or nothing when the time is up.
std::optional<LaunchRecord> WaitForLaunchRecord(const std::string& path, DWORD timeoutMs);
