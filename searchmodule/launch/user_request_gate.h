#pragma once

#include <windows.h>

#include <functional>

// Lets one client request at a time ask the user: its questions run in modal loops on the
// module's thread, where a second request can arrive, and the dialogs of two requests would
// interleave. A request that finds another one asking is refused with ERROR_BUSY.
class UserRequestGate {
public:
    HRESULT Run(const char* request, const std::function<HRESULT()>& work);

private:
    bool busy_ = false;
};
