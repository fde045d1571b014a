// The Windows headers that most of the suite's files include, compiled once per build (see
// cmake/precompiled/CMakeLists.txt). The standard library stays out: with it precompiled, GCC 12
// reports out-of-bounds copies in std::string concatenations that do not happen.
#pragma once

// Before windows.h, whose older socket declarations it replaces.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <wrl/client.h>
