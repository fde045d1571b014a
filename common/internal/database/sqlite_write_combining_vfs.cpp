// The engine writes each record of its write-ahead log as two writes (a 24-byte header, then
// the page), one after the other at increasing offsets. Here those appends wait in memory and
// go to the file as one write when the run is broken, and always before anything could read
// them or learn of them:
//  - the file always holds a prefix of the writes the engine issued, so a process that dies
//    leaves what the engine itself would have left had it died a little earlier (recovery
//    drops records after the last whole commit);
//  - a commit record goes out with the write that completes it, so a failure is the commit's;
//  - reads, syncs, size and truncation of the log, and the log's locks write the run out first;
//  - other connections learn of new records only through the wal-index: the engine makes a
//    commit visible by writing the wal-index header twice with a barrier between, and takes
//    or drops a wal-index lock around every transaction. The barrier and every lock call on the
//    database file write its log's run out first, so no connection of this or another process
//    can read a record that is not in the file yet.
// Records are held back only while the wal-index lives in shared memory (in exclusive heap-
// memory mode the engine calls no barrier) and the log belongs to a database file opened here.
#include "database/sqlite_write_combining_vfs.h"

#include "database/sqlite_reader_slot_locks.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

namespace {

constexpr char kVfsName[] = "basalt-write-combining";
// A run this long is written out even in the middle of a transaction.
constexpr size_t kMaxPending = 1u << 20;
constexpr size_t kFirstCapacity = 64u << 10;
// Every log record starts with a header of this size; its bytes 4-7 are not zero only in a
// record that commits a transaction.
constexpr int kRecordHeaderSize = 24;
// The file control by which a connection announces that its next transaction writes.
constexpr int kExpectWriteControl = 0x42570001;

struct WrappedFile {
    sqlite3_file base;    // first: the engine hands this pointer back to every method
    sqlite3_file* real;   // the default layer's file, stored behind this object
};

struct LogFile;

struct DatabaseFile {
    WrappedFile file;
    const char* engineName;    // the engine's own name string: how its log finds this file
    LogFile* log;              // the log of the same connection while it is open
    bool sharedMemoryMapped;   // commits are published through a shared wal-index
    ReaderSlotLocks readerSlots;
};

struct LogFile {
    WrappedFile file;
    DatabaseFile* database;   // null: nothing is held back
    unsigned char* pending;   // appended writes not in the file yet, one contiguous run
    size_t pendingSize;
    size_t pendingCapacity;
    sqlite3_int64 pendingStart;
    sqlite3_int64 appendEnd;   // end of the records appended since the last wal-index lock call
    bool commitRecordStarted;
    int deferredError;   // a write-out that failed where no error could be returned
};

constexpr int Round8(size_t size) { return static_cast<int>((size + 7) & ~size_t{7}); }
constexpr int kHeaderSize = Round8(std::max(sizeof(DatabaseFile), sizeof(LogFile)));

sqlite3_vfs* Base(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }
sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<WrappedFile*>(file)->real; }
DatabaseFile& AsDatabase(sqlite3_file* file) { return *reinterpret_cast<DatabaseFile*>(file); }
LogFile& AsLog(sqlite3_file* file) { return *reinterpret_cast<LogFile*>(file); }

// The database files open through this layer, by the name string the engine gave them.
// Never destroyed: pooled connections are closed by static destructors at process exit, in
// an order that no function-local static here can be sure to outlive.
std::mutex g_filesLock;
std::map<const char*, DatabaseFile*>& OpenDatabases()
{
    static auto* files = new std::map<const char*, DatabaseFile*>();
    return *files;
}

// --- holding back and writing out -------------------------------------------------------

int WriteOut(LogFile& log)
{
    if (log.pendingSize == 0)
        return SQLITE_OK;
    sqlite3_file* real = log.file.real;
    const int rc = real->pMethods->xWrite(real, log.pending, static_cast<int>(log.pendingSize), log.pendingStart);
    log.pendingSize = 0;   // on failure the engine abandons the transaction these writes belong to
    return rc;
}

// Writes the run out and returns the first error not yet reported.
int Settle(LogFile& log)
{
    const int written = WriteOut(log);
    const int deferred = std::exchange(log.deferredError, SQLITE_OK);
    return deferred != SQLITE_OK ? deferred : written;
}

// For callers that cannot return an error: the next call on the log reports it.
void SettleLater(LogFile& log)
{
    const int rc = WriteOut(log);
    if (rc != SQLITE_OK && log.deferredError == SQLITE_OK)
        log.deferredError = rc;
}

bool Reserve(LogFile& log, size_t needed)
{
    if (needed <= log.pendingCapacity)
        return true;
    const size_t capacity = std::min(kMaxPending, std::max({needed, kFirstCapacity, 2 * log.pendingCapacity}));
    void* grown = sqlite3_realloc64(log.pending, capacity);
    if (!grown)
        return false;
    log.pending = static_cast<unsigned char*>(grown);
    log.pendingCapacity = capacity;
    return true;
}

bool IsCommitRecordHeader(const void* data, int amount)
{
    if (amount != kRecordHeaderSize)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    return (bytes[4] | bytes[5] | bytes[6] | bytes[7]) != 0;
}

int WriteThrough(LogFile& log, const void* data, int amount, sqlite3_int64 offset)
{
    if (const int rc = WriteOut(log))
        return rc;
    sqlite3_file* real = log.file.real;
    return real->pMethods->xWrite(real, data, amount, offset);
}

// --- log file methods --------------------------------------------------------------------

int LogWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset)
{
    LogFile& log = AsLog(file);
    if (const int rc = std::exchange(log.deferredError, SQLITE_OK))
        return rc;
    const size_t size = static_cast<size_t>(amount);
    const bool holdBack = log.database && log.database->sharedMemoryMapped;
    // Below appendEnd the engine rewrites a record of the running transaction in place; once
    // a commit record is out, the rest of that commit (padding, checksum rewrites) follows it.
    if (!holdBack || offset < log.appendEnd || size > kMaxPending || (log.commitRecordStarted && log.pendingSize == 0))
        return WriteThrough(log, data, amount, offset);
    log.appendEnd = offset + amount;
    const bool contiguous = log.pendingSize != 0 && offset == log.pendingStart + static_cast<sqlite3_int64>(log.pendingSize);
    if (log.pendingSize != 0 && (!contiguous || log.pendingSize + size > kMaxPending)) {
        if (const int rc = WriteOut(log))
            return rc;
    }
    if (!Reserve(log, log.pendingSize + size))
        return WriteThrough(log, data, amount, offset);
    if (log.pendingSize == 0)
        log.pendingStart = offset;
    std::memcpy(log.pending + log.pendingSize, data, size);
    log.pendingSize += size;
    // The write after a commit record's header is its page: the whole transaction goes out now.
    if (log.commitRecordStarted)
        return WriteOut(log);
    log.commitRecordStarted = IsCommitRecordHeader(data, amount);
    return SQLITE_OK;
}

int LogClose(sqlite3_file* file)
{
    LogFile& log = AsLog(file);
    const int settled = Settle(log);
    {
        std::lock_guard lock(g_filesLock);
        if (log.database && log.database->log == &log)
            log.database->log = nullptr;
        log.database = nullptr;
    }
    sqlite3_free(log.pending);
    log.pending = nullptr;
    sqlite3_file* real = log.file.real;
    const int closed = real->pMethods->xClose(real);
    return settled != SQLITE_OK ? settled : closed;
}

int LogRead(sqlite3_file* file, void* data, int amount, sqlite3_int64 offset)
{
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xRead(Real(file), data, amount, offset);
}

int LogTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xTruncate(Real(file), size);
}

int LogSync(sqlite3_file* file, int flags)
{
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xSync(Real(file), flags);
}

int LogFileSize(sqlite3_file* file, sqlite3_int64* size)
{
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xFileSize(Real(file), size);
}

int LogLock(sqlite3_file* file, int level)
{
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xLock(Real(file), level);
}

int LogUnlock(sqlite3_file* file, int level)
{
    const int settled = Settle(AsLog(file));
    const int unlocked = Real(file)->pMethods->xUnlock(Real(file), level);
    return settled != SQLITE_OK ? settled : unlocked;
}

int LogFileControl(sqlite3_file* file, int op, void* argument)
{
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xFileControl(Real(file), op, argument);
}

int LogFetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** data)
{
    *data = nullptr;
    if (const int rc = Settle(AsLog(file)))
        return rc;
    return Real(file)->pMethods->xFetch(Real(file), offset, amount, data);
}

// --- database file methods ---------------------------------------------------------------

int DatabaseClose(sqlite3_file* file)
{
    DatabaseFile& database = AsDatabase(file);
    int settled = SQLITE_OK;
    {
        std::lock_guard lock(g_filesLock);
        auto found = OpenDatabases().find(database.engineName);
        if (found != OpenDatabases().end() && found->second == &database)
            OpenDatabases().erase(found);
        if (database.log) {   // the engine closes the log first; this is only a safety net
            settled = Settle(*database.log);
            database.log->database = nullptr;
            database.log = nullptr;
        }
    }
    sqlite3_file* real = database.file.real;
    if (database.sharedMemoryMapped)
        database.readerSlots.ReleaseAll(real);
    const int closed = real->pMethods->xClose(real);
    return settled != SQLITE_OK ? settled : closed;
}

int DatabaseLock(sqlite3_file* file, int level)
{
    DatabaseFile& database = AsDatabase(file);
    if (database.log) {
        if (const int rc = Settle(*database.log))
            return rc;
    }
    return database.file.real->pMethods->xLock(database.file.real, level);
}

int DatabaseUnlock(sqlite3_file* file, int level)
{
    DatabaseFile& database = AsDatabase(file);
    const int settled = database.log ? Settle(*database.log) : SQLITE_OK;
    const int unlocked = database.file.real->pMethods->xUnlock(database.file.real, level);
    return settled != SQLITE_OK ? settled : unlocked;
}

int DatabaseFileControl(sqlite3_file* file, int op, void* argument)
{
    DatabaseFile& database = AsDatabase(file);
    if (op == kExpectWriteControl) {
        database.readerSlots.ExpectWrite();
        return SQLITE_OK;
    }
    return database.file.real->pMethods->xFileControl(database.file.real, op, argument);
}

int DatabaseShmMap(sqlite3_file* file, int region, int regionSize, int extend, void volatile** memory)
{
    DatabaseFile& database = AsDatabase(file);
    const int rc = database.file.real->pMethods->xShmMap(database.file.real, region, regionSize, extend, memory);
    if (rc == SQLITE_OK)
        database.sharedMemoryMapped = true;
    return rc;
}

// Every transaction begins and ends with a wal-index lock call: the run is written out before
// another connection may take the log, and a new transaction starts a new run.
int DatabaseShmLock(sqlite3_file* file, int offset, int count, int flags)
{
    DatabaseFile& database = AsDatabase(file);
    int settled = SQLITE_OK;
    if (LogFile* log = database.log) {
        settled = Settle(*log);
        log->appendEnd = 0;
        log->commitRecordStarted = false;
    }
    if (settled != SQLITE_OK && (flags & SQLITE_SHM_LOCK))
        return settled;
    const int rc = database.readerSlots.Lock(database.file.real, offset, count, flags);
    return settled != SQLITE_OK ? settled : rc;
}

// The engine publishes a commit across this barrier: its records must be in the file first.
void DatabaseShmBarrier(sqlite3_file* file)
{
    DatabaseFile& database = AsDatabase(file);
    if (database.log)
        SettleLater(*database.log);
    database.file.real->pMethods->xShmBarrier(database.file.real);
}

int DatabaseShmUnmap(sqlite3_file* file, int deleteFlag)
{
    DatabaseFile& database = AsDatabase(file);
    if (database.log)
        SettleLater(*database.log);
    database.readerSlots.ReleaseAll(database.file.real);
    database.sharedMemoryMapped = false;
    return database.file.real->pMethods->xShmUnmap(database.file.real, deleteFlag);
}

// --- methods passed on unchanged ---------------------------------------------------------

int PassRead(sqlite3_file* f, void* data, int amount, sqlite3_int64 offset)
{
    return Real(f)->pMethods->xRead(Real(f), data, amount, offset);
}
int PassWrite(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset)
{
    return Real(f)->pMethods->xWrite(Real(f), data, amount, offset);
}
int PassTruncate(sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); }
int PassSync(sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); }
int PassFileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int PassCheckReservedLock(sqlite3_file* f, int* reserved)
{
    return Real(f)->pMethods->xCheckReservedLock(Real(f), reserved);
}
int PassSectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int PassDeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int PassShmMap(sqlite3_file* f, int region, int regionSize, int extend, void volatile** memory)
{
    return Real(f)->pMethods->xShmMap(Real(f), region, regionSize, extend, memory);
}
int PassShmLock(sqlite3_file* f, int offset, int count, int flags)
{
    return Real(f)->pMethods->xShmLock(Real(f), offset, count, flags);
}
void PassShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int PassShmUnmap(sqlite3_file* f, int deleteFlag) { return Real(f)->pMethods->xShmUnmap(Real(f), deleteFlag); }
int PassFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** data)
{
    return Real(f)->pMethods->xFetch(Real(f), offset, amount, data);
}
int PassUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* data)
{
    return Real(f)->pMethods->xUnfetch(Real(f), offset, data);
}

// The method tables, one per interface version: the engine uses the shared-memory and
// memory-mapping methods only when the default layer's file offers them.
constexpr sqlite3_io_methods DatabaseMethods(int version)
{
    return {version,          DatabaseClose,    PassRead,          PassWrite,
            PassTruncate,     PassSync,         PassFileSize,      DatabaseLock,
            DatabaseUnlock,   PassCheckReservedLock, DatabaseFileControl, PassSectorSize,
            PassDeviceCharacteristics, DatabaseShmMap, DatabaseShmLock, DatabaseShmBarrier,
            DatabaseShmUnmap, PassFetch,        PassUnfetch};
}

constexpr sqlite3_io_methods LogMethods(int version)
{
    return {version,      LogClose,     LogRead,        LogWrite,       LogTruncate,
            LogSync,      LogFileSize,  LogLock,        LogUnlock,      PassCheckReservedLock,
            LogFileControl, PassSectorSize, PassDeviceCharacteristics, PassShmMap, PassShmLock,
            PassShmBarrier, PassShmUnmap, LogFetch,     PassUnfetch};
}

const sqlite3_io_methods kDatabaseMethods[] = {DatabaseMethods(1), DatabaseMethods(2), DatabaseMethods(3)};
const sqlite3_io_methods kLogMethods[] = {LogMethods(1), LogMethods(2), LogMethods(3)};

const sqlite3_io_methods* MethodsFor(const sqlite3_io_methods* table, const sqlite3_file* real)
{
    return &table[std::clamp(real->pMethods->iVersion, 1, 3) - 1];
}

// --- the layer ----------------------------------------------------------------------------

int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    sqlite3_vfs* base = Base(vfs);
    const bool isDatabase = name && (flags & SQLITE_OPEN_MAIN_DB);
    const bool isLog = name && (flags & SQLITE_OPEN_WAL);
    if (!isDatabase && !isLog)   // journals and temporary files are the default layer's alone
        return base->xOpen(base, name, file, flags, outFlags);

    std::memset(file, 0, kHeaderSize);
    sqlite3_file* real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + kHeaderSize);
    const int rc = base->xOpen(base, name, real, flags, outFlags);
    if (rc != SQLITE_OK || !real->pMethods) {
        if (real->pMethods)
            real->pMethods->xClose(real);
        file->pMethods = nullptr;
        return rc != SQLITE_OK ? rc : SQLITE_CANTOPEN;
    }
    reinterpret_cast<WrappedFile*>(file)->real = real;

    std::lock_guard lock(g_filesLock);
    if (isDatabase) {
        DatabaseFile& database = AsDatabase(file);
        database.engineName = name;
        OpenDatabases()[name] = &database;
        file->pMethods = MethodsFor(kDatabaseMethods, real);
    } else {
        LogFile& log = AsLog(file);
        auto found = OpenDatabases().find(sqlite3_filename_database(name));
        if (found != OpenDatabases().end()) {
            log.database = found->second;
            if (log.database->log)
                log.database->log->database = nullptr;
            log.database->log = &log;
        }
        file->pMethods = MethodsFor(kLogMethods, real);
    }
    return SQLITE_OK;
}

int Delete(sqlite3_vfs* vfs, const char* name, int syncDirectory)
{
    return Base(vfs)->xDelete(Base(vfs), name, syncDirectory);
}
int Access(sqlite3_vfs* vfs, const char* name, int flags, int* result)
{
    return Base(vfs)->xAccess(Base(vfs), name, flags, result);
}
int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out)
{
    return Base(vfs)->xFullPathname(Base(vfs), name, size, out);
}
void* DlOpen(sqlite3_vfs* vfs, const char* name) { return Base(vfs)->xDlOpen(Base(vfs), name); }
void DlError(sqlite3_vfs* vfs, int size, char* out) { Base(vfs)->xDlError(Base(vfs), size, out); }
void (*DlSym(sqlite3_vfs* vfs, void* library, const char* symbol))(void)
{
    return Base(vfs)->xDlSym(Base(vfs), library, symbol);
}
void DlClose(sqlite3_vfs* vfs, void* library) { Base(vfs)->xDlClose(Base(vfs), library); }
int Randomness(sqlite3_vfs* vfs, int size, char* out) { return Base(vfs)->xRandomness(Base(vfs), size, out); }
int Sleep(sqlite3_vfs* vfs, int microseconds) { return Base(vfs)->xSleep(Base(vfs), microseconds); }
int CurrentTime(sqlite3_vfs* vfs, double* now) { return Base(vfs)->xCurrentTime(Base(vfs), now); }
int GetLastError(sqlite3_vfs* vfs, int size, char* out) { return Base(vfs)->xGetLastError(Base(vfs), size, out); }
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now) { return Base(vfs)->xCurrentTimeInt64(Base(vfs), now); }
int SetSystemCall(sqlite3_vfs* vfs, const char* name, sqlite3_syscall_ptr call)
{
    return Base(vfs)->xSetSystemCall(Base(vfs), name, call);
}
sqlite3_syscall_ptr GetSystemCall(sqlite3_vfs* vfs, const char* name)
{
    return Base(vfs)->xGetSystemCall(Base(vfs), name);
}
const char* NextSystemCall(sqlite3_vfs* vfs, const char* name) { return Base(vfs)->xNextSystemCall(Base(vfs), name); }

// A method of the wrapper only where the default layer has one.
template <typename Method>
Method Either(Method baseMethod, Method wrapper)
{
    return baseMethod ? wrapper : nullptr;
}

const char* Register()
{
    static sqlite3_vfs layer{};
    sqlite3_vfs* base = sqlite3_vfs_find("win32");
    if (!base)
        base = sqlite3_vfs_find(nullptr);
    if (!base)
        return nullptr;
    layer.iVersion = std::min(base->iVersion, 3);
    layer.szOsFile = kHeaderSize + base->szOsFile;
    layer.mxPathname = base->mxPathname;
    layer.zName = kVfsName;
    layer.pAppData = base;
    layer.xOpen = Open;
    layer.xDelete = Delete;
    layer.xAccess = Access;
    layer.xFullPathname = FullPathname;
    layer.xDlOpen = Either(base->xDlOpen, DlOpen);
    layer.xDlError = Either(base->xDlError, DlError);
    layer.xDlSym = Either(base->xDlSym, DlSym);
    layer.xDlClose = Either(base->xDlClose, DlClose);
    layer.xRandomness = Randomness;
    layer.xSleep = Sleep;
    layer.xCurrentTime = CurrentTime;
    layer.xGetLastError = GetLastError;
    if (layer.iVersion >= 2)
        layer.xCurrentTimeInt64 = Either(base->xCurrentTimeInt64, CurrentTimeInt64);
    if (layer.iVersion >= 3) {
        layer.xSetSystemCall = Either(base->xSetSystemCall, SetSystemCall);
        layer.xGetSystemCall = Either(base->xGetSystemCall, GetSystemCall);
        layer.xNextSystemCall = Either(base->xNextSystemCall, NextSystemCall);
    }
    return sqlite3_vfs_register(&layer, 0) == SQLITE_OK ? kVfsName : nullptr;
}

} // namespace

const char* WriteCombiningVfsName()
{
    static const char* const name = Register();
    return name;
}

void ExpectWriteTransaction(sqlite3* db)
{
    // A connection of another layer does not know the control and ignores it.
    sqlite3_file_control(db, "main", kExpectWriteControl, nullptr);
}
