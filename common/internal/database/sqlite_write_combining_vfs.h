#pragma once

struct sqlite3;

// The database engine's file layer for the cache file: the default Windows one, except that the
// records a transaction appends to its write-ahead log reach the file as one write instead of
// two per changed page (a write costs far more than the copy under Wine). Every record is in
// the file before the transaction it belongs to becomes visible to any other connection, and
// a write that fails fails the call that performs it, so nothing changes for safety. It also
// spares a write transaction two of its wal-index lock calls (sqlite_reader_slot_locks.h).
//
// Registers the layer on first use (never as the default) and returns its name for
// sqlite3_open_v2, or nullptr when it could not be registered (then use the default layer).
const char* WriteCombiningVfsName();

// Tells the layer that the next transaction of this connection writes (see
// sqlite_reader_slot_locks.h); call it right before BEGIN IMMEDIATE.
void ExpectWriteTransaction(sqlite3* db);
