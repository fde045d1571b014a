#pragma once

#include "basalt_api.h"
#include "base/scoped_handle.h"

#include <string>

// A system-wide lock of count one, shared by name between every process of the suite.
class BASALT_API NamedSemaphore {
public:
    explicit NamedSemaphore(const std::string& name);

    // Waits up to timeoutMs; true when this caller now holds the lock.
    bool Lock(unsigned long timeoutMs);
    void Unlock();
    bool IsValid() const { return handle_.IsValid(); }

private:
    ScopedKernelHandle handle_;
};

// Holds a NamedSemaphore for one scope when it could be had in time.
class BASALT_API SemaphoreLock {
public:
    SemaphoreLock(NamedSemaphore& semaphore, unsigned long timeoutMs)
        : semaphore_(semaphore), held_(semaphore.Lock(timeoutMs)) {}
    ~SemaphoreLock()
    {
        if (held_)
            semaphore_.Unlock();
    }
    SemaphoreLock(const SemaphoreLock&) = delete;
    SemaphoreLock& operator=(const SemaphoreLock&) = delete;

    bool IsHeld() const { return held_; }

private:
    NamedSemaphore& semaphore_;
    bool held_;
};
