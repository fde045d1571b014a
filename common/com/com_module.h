#pragma once

#include <atomic>

// What keeps a module of COM objects loaded or running: its live objects and the locks taken
// with IClassFactory::LockServer. Every module that implements COM objects (the namespace
// library, the search module, a test server) has exactly one, which it defines itself as
// ThisComModule(); the kit's objects and class factory count themselves there.
class ComModule {
public:
    // Called on the releasing thread when the last object or lock goes. It must not throw.
    using IdleHandler = void (*)();

    ComModule() = default;
    ComModule(const ComModule&) = delete;
    ComModule& operator=(const ComModule&) = delete;

    void ObjectCreated() noexcept { ++objects_; }
    void ObjectDestroyed() noexcept
    {
        if (DecrementToZero(objects_))
            NotifyIfIdle();
    }
    void Lock() noexcept { ++locks_; }
    void Unlock() noexcept
    {
        if (DecrementToZero(locks_))
            NotifyIfIdle();
    }

    long Objects() const noexcept { return objects_.load(); }
    long Locks() const noexcept { return locks_.load(); }
    // True when no object lives and no lock is held.
    bool CanUnload() const noexcept { return objects_.load() == 0 && locks_.load() == 0; }

    void SetIdleHandler(IdleHandler handler) noexcept { idle_ = handler; }

private:
    // A release without a matching take (a client's unbalanced LockServer(FALSE)) must not make
    // the count negative, or a later lock would no longer keep the module. True when this call
    // took the count to zero.
    static bool DecrementToZero(std::atomic<long>& count) noexcept
    {
        long current = count.load();
        while (current > 0) {
            if (count.compare_exchange_weak(current, current - 1))
                return current == 1;
        }
        return false;
    }

    void NotifyIfIdle() noexcept
    {
        if (!CanUnload())
            return;
        if (IdleHandler handler = idle_.load())
            handler();
    }

    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
    std::atomic<IdleHandler> idle_{nullptr};
};

// The one ComModule of the module that links this code; each module defines it once.
ComModule& ThisComModule();
