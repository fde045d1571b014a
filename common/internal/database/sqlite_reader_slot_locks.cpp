#include "database/sqlite_reader_slot_locks.h"

#include <utility>

namespace {

// The engine's wal-index locks: write, checkpoint, recovery, then the reader slots; slot 0
// (offset 3) reads the database file alone and carries no mark.
constexpr int kFirstMarkedSlot = 4;

constexpr int kExclusiveLock = SQLITE_SHM_LOCK | SQLITE_SHM_EXCLUSIVE;
constexpr int kExclusiveUnlock = SQLITE_SHM_UNLOCK | SQLITE_SHM_EXCLUSIVE;
constexpr int kSharedLock = SQLITE_SHM_LOCK | SQLITE_SHM_SHARED;

bool IsMarkedSlot(int offset, int count)
{
    return count == 1 && offset >= kFirstMarkedSlot && offset < SQLITE_SHM_NLOCK;
}

int Pass(sqlite3_file* real, int offset, int count, int flags)
{
    return real->pMethods->xShmLock(real, offset, count, flags);
}

} // namespace

int ReaderSlotLocks::Lock(sqlite3_file* real, int offset, int count, int flags)
{
    if (releasePending_ != 0) {
        const int slot = std::exchange(releasePending_, 0);
        if (flags == kSharedLock && count == 1 && offset == slot) {
            heldForShared_ = slot;
            return SQLITE_OK;
        }
        Pass(real, slot, 1, kExclusiveUnlock);
    }
    if (heldForShared_ != 0 && (flags & SQLITE_SHM_UNLOCK) && offset <= heldForShared_ &&
        heldForShared_ < offset + count) {
        Pass(real, std::exchange(heldForShared_, 0), 1, kExclusiveUnlock);
        if (count == 1)
            return SQLITE_OK;
    }
    if (flags == kExclusiveUnlock && IsMarkedSlot(offset, count) && heldForShared_ == 0 && writeExpected_) {
        writeExpected_ = false;
        releasePending_ = offset;
        return SQLITE_OK;
    }
    if (flags == kSharedLock && offset >= kFirstMarkedSlot - 1)
        writeExpected_ = false;   // the transaction's read started without moving a mark
    return Pass(real, offset, count, flags);
}

void ReaderSlotLocks::ReleaseAll(sqlite3_file* real)
{
    writeExpected_ = false;
    if (const int slot = std::exchange(releasePending_, 0))
        Pass(real, slot, 1, kExclusiveUnlock);
    if (const int slot = std::exchange(heldForShared_, 0))
        Pass(real, slot, 1, kExclusiveUnlock);
}
