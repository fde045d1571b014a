#include "module_lifetime.h"

#include <atomic>

namespace {

std::atomic<long> g_liveObjects{0};
std::atomic<long> g_locks{0};

// A release without a matching take (a client's unbalanced LockServer(FALSE)) must not make
// the count negative, or a later lock would no longer keep the library loaded.
void DecrementToZero(std::atomic<long>& count)
{
    long current = count.load();
    while (current > 0 && !count.compare_exchange_weak(current, current - 1)) {
    }
}

} // namespace

namespace ModuleLifetime {

void ObjectCreated() { ++g_liveObjects; }
void ObjectDestroyed() { DecrementToZero(g_liveObjects); }
void Lock() { ++g_locks; }
void Unlock() { DecrementToZero(g_locks); }
bool CanUnload() { return g_liveObjects.load() == 0 && g_locks.load() == 0; }

} // namespace ModuleLifetime
