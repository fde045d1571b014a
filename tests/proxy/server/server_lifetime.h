#pragma once

#include <windows.h>

// What keeps the server process running: live objects and class-object locks, counted by
// ThisComModule(). When the last one goes, the class object is revoked at once (so that no new
// activation reaches a process that is about to end) and the message loop finishes. A server
// that ends this way leaves no class registration behind in the Wine session.
namespace ServerLifetime {

// Runs the main thread's message loop until the server ends, then revokes the class object
// if that has not happened yet. A server that nothing uses within unusedTimeout milliseconds of
// its start ends too (a client that started it and went away).
int Run(DWORD classRegistrationCookie, UINT unusedTimeout);

} // namespace ServerLifetime
