#pragma once

#include "base/scoped_handle.h"

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <thread>

// Waits for started programs to end, each on a thread of its own, and reports each end through
// a callback on that thread; the owner finishes the work on its own thread. Destroying the
// watch stops the waiting (programs still running are no longer reported).
class ProgramEndWatch {
public:
    using Ended = std::function<void(int id)>;

    explicit ProgramEndWatch(Ended onEnded);
    ~ProgramEndWatch();
    ProgramEndWatch(const ProgramEndWatch&) = delete;
    ProgramEndWatch& operator=(const ProgramEndWatch&) = delete;

    // Starts waiting for the process; returns the id its end is reported with, 0 when the
    // waiting could not start.
    int Watch(ScopedKernelHandle process);
    // Forgets an ended program once its end has been handled (not from the callback itself).
    void Forget(int id);

private:
    void Wait(int id, HANDLE process);

    Ended onEnded_;
    ScopedKernelHandle stop_;
    std::mutex lock_;
    int nextId_ = 1;
    struct Watched {
        ScopedKernelHandle process;
        std::thread waiter;
    };
    std::map<int, Watched> watched_;
};
