#pragma once

#include <windows.h>

#include <string>

// A text of the purge tool's own string table, which is linked into the running program.
std::string PurgeText(UINT id);
