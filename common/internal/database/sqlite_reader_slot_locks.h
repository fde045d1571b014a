#pragma once

#include <sqlite3.h>

// The wal-index locks of one connection, on their way to the default file layer. Under Wine
// every lock call there is a round trip to wineserver. A transaction that writes starts as a
// reader: the engine takes a reader slot exclusively to move its mark to the newest commit,
// drops it, and at once takes the same slot shared. For a transaction announced as a write,
// the exclusive lock is kept in place of the shared one until the engine drops the slot: a
// stronger lock over the same span, two calls fewer. While it is held, a reader of another
// connection that wants that very slot waits (the engine retries as it does for any writer);
// that reader could not see the write before its commit anyway. Every other call passes
// unchanged. Zero-filled memory is a valid, idle object.
class ReaderSlotLocks {
public:
    // The next transaction of this connection will write.
    void ExpectWrite() { writeExpected_ = true; }
    int Lock(sqlite3_file* real, int offset, int count, int flags);
    // Drops a lock still held here (before the wal-index is unmapped or the file closed).
    void ReleaseAll(sqlite3_file* real);

private:
    int releasePending_;     // slot dropped by the engine but still locked exclusively, or 0
    int heldForShared_;      // slot the engine holds shared, locked exclusively here, or 0
    bool writeExpected_;
};
