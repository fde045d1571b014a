#pragma once

#include <windows.h>

#include <deque>
#include <functional>

// Lets one client request at a time ask the user: its questions run in modal loops on the
// module's thread, where a second request can arrive, and the dialogs of two requests would
// interleave. A request that finds another one asking is refused with ERROR_BUSY. Work the
// module starts on its own (a program's end) cannot be refused: it waits for the request in
// progress and runs when the gate opens.
class UserRequestGate {
public:
    // wakeWaiting: called when the gate opens while work waits; it must make RunWaiting run
    // soon on the module's thread (a posted message), never call it from inside.
    explicit UserRequestGate(std::function<void()> wakeWaiting);

    HRESULT Run(const char* request, const std::function<HRESULT()>& work);
    // Runs the module's own work now when the gate is open, else once it opens.
    void RunOrWait(const char* what, std::function<void()> work);
    // Runs the work that waited, in order, while the gate stays open.
    void RunWaiting();

private:
    class Pass;

    bool busy_ = false;
    std::deque<std::function<void()>> waiting_;
    std::function<void()> wakeWaiting_;
};
