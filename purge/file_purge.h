#pragma once

#include "found_data.h"

#include <windows.h>

#include <functional>
#include <vector>

// The found paths a purge may delete: all but the protected ones, in list order.
std::vector<std::string> PathsToRecycle(const std::vector<FoundPath>& found);

// Sends each deletable found path to the Recycle Bin through the shell's file operation (which
// asks and reports its own errors), calling afterEach after every one.
void RecycleFoundPaths(HWND owner, const std::vector<FoundPath>& found, const std::function<void()>& afterEach);
