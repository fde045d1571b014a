#pragma once

#include <windows.h>

// The search module, created (and started when it is not running) as a local server for one of
// its interfaces; false, with the failure logged, when it cannot be had. Every change of the
// cache goes there.
bool GetLocalServerInterface(REFIID iid, void** object);

// Whether a failed call means that the search module has gone (ended, or lost on the way)
// rather than refused the request.
bool IsSearchModuleGone(HRESULT result);

// Tells the user that a command was not carried out because the search module cannot be
// reached.
void ShowSearchModuleUnreachable(HWND owner);

// Logs a failed call of the search module: the caller, "Failed calling", the interface and
// method, and the code.
void LogFailedServerCall(const char* caller, const char* method, HRESULT result);

// Test seam: while set, the search module's interfaces come from this object instead of the
// local server (null restores the real one). The caller keeps it alive while set.
void SetSearchModuleOverride(IUnknown* module);
