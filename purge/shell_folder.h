#pragma once

#include <string>

// The path of a special folder (a CSIDL_ number) as the shell reports it; empty when the
// shell knows none.
std::string ShellFolderPath(int csidl);
