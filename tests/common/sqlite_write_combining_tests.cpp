// The engine layer of the cache file holds log writes back: readers must still see exactly
// the committed updates, checkpoints must copy them whole, and a writer that dies must leave
// the last committed state.
#include "database/sqlite_write_combining_vfs.h"

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "sqlite_test_connection.h"

#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

namespace {

constexpr int kServers = 8;
constexpr int kDiscs = 50;

const char* Layer()
{
    const char* name = WriteCombiningVfsName();
    if (!name)
        throw std::runtime_error("the write-combining layer is not registered");
    return name;
}

std::int64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Expected(int discs, int version) { return std::to_string(discs) + "/v" + std::to_string(version); }

TEST(WriteCombiningLayer, ReadersSeeEveryCommittedServerUpdateAndNothingOfAnUnfinishedOne)
{
    TempDirectory folder;
    const std::string file = folder.File("discs.mdb");
    TestConnection writer(file, Layer());
    writer.CreateItems();
    // A small page cache makes the writer log records long before its commit.
    writer.Execute("PRAGMA cache_size=8;");
    TestConnection sameLayer(file, Layer());
    TestConnection defaultLayer(file, nullptr);

    for (int version = 1; version <= 6; ++version) {
        for (int server = 0; server < kServers; ++server) {
            const std::string before = sameLayer.ServerState(server);
            // The last round is large enough to pass the limit for held-back writes.
            const bool large = version == 6;
            writer.BeginWrite();
            writer.ReplaceServer(server, version, large ? 500 : kDiscs, large ? 2200 : 20);
            EXPECT_EQ(before, sameLayer.ServerState(server)) << "server " << server << " before its commit";
            EXPECT_EQ(before, defaultLayer.ServerState(server));
            writer.Execute("COMMIT;");
            const std::string after = Expected(large ? 500 : kDiscs, version);
            EXPECT_EQ(after, sameLayer.ServerState(server)) << "server " << server << " after its commit";
            EXPECT_EQ(after, defaultLayer.ServerState(server));
        }
    }

    // An update given up leaves the server as it was, for the writer too.
    writer.BeginWrite();
    writer.ReplaceServer(0, 7, 500, 2200);
    writer.Execute("ROLLBACK;");
    EXPECT_EQ(Expected(500, 6), writer.ServerState(0));
    EXPECT_EQ(Expected(500, 6), defaultLayer.ServerState(0));
    writer.BeginWrite();
    writer.ReplaceServer(0, 8, kDiscs);
    writer.Execute("COMMIT;");
    EXPECT_EQ(Expected(kDiscs, 8), defaultLayer.ServerState(0));
    EXPECT_EQ("ok", defaultLayer.Text("PRAGMA integrity_check;"));
}

// A small page cache makes the engine spill records mid-transaction and later write some of
// them again in place, the paths where held-back and written records meet.
TEST(WriteCombiningLayer, ACheckpointAfterManyHeldBackCommitsKeepsEveryRow)
{
    TempDirectory folder;
    const std::string file = folder.File("discs.mdb");
    {
        TestConnection writer(file, Layer());
        writer.Execute("PRAGMA wal_autocheckpoint=0; PRAGMA cache_size=8;");
        writer.CreateItems();
        for (int version = 1; version <= 5; ++version) {
            for (int server = 0; server < 40; ++server) {
                writer.BeginWrite();
                writer.ReplaceServer(server, version, version == 3 ? 200 : kDiscs, version == 3 ? 200 : 20);
                writer.Execute("UPDATE Items SET Type = 'DVD' WHERE Location = '\\\\SERVER" + std::to_string(server) +
                               "' AND Name = 'DISC1';");
                writer.Execute("COMMIT;");
            }
        }
        EXPECT_GT(FileSize(file + "-wal"), 4 << 20) << "the commits were meant to pile up in the log";
        TestConnection reader(file, nullptr);
        EXPECT_EQ("ok", reader.Text("PRAGMA integrity_check;"));
        writer.Execute("PRAGMA wal_checkpoint(TRUNCATE);");
        EXPECT_EQ("ok", writer.Text("PRAGMA integrity_check;"));
    }
    // The database file alone, without its log, holds everything.
    EXPECT_FALSE(FileExists(file + "-wal"));
    TestConnection reopened(file, nullptr);
    EXPECT_EQ("ok", reopened.Text("PRAGMA integrity_check;"));
    EXPECT_EQ(40 * kDiscs, reopened.Number("SELECT count(*) FROM Items;"));
    for (int server = 0; server < 40; ++server)
        EXPECT_EQ(Expected(kDiscs, 5), reopened.ServerState(server)) << "server " << server;
    EXPECT_EQ(40, reopened.Number("SELECT count(*) FROM Items WHERE Type = 'DVD';"));
}

// The default layer's WriteFile, failing while `failing` is set, as on a full disk.
std::atomic<bool> g_writesFail{false};
std::atomic<int> g_failedWrites{0};

BOOL WINAPI FailingWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    if (g_writesFail) {
        ++g_failedWrites;
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return ::WriteFile(file, data, size, written, overlapped);
}

class FailingWrites {
public:
    FailingWrites() : vfs_(sqlite3_vfs_find("win32"))
    {
        if (!vfs_ || vfs_->xSetSystemCall(vfs_, "WriteFile", reinterpret_cast<sqlite3_syscall_ptr>(FailingWriteFile)) != SQLITE_OK)
            throw std::runtime_error("cannot replace WriteFile of the default layer");
    }
    ~FailingWrites()
    {
        g_writesFail = false;
        vfs_->xSetSystemCall(vfs_, "WriteFile", nullptr);
    }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

private:
    sqlite3_vfs* vfs_;
};

// Held-back records that cannot be written fail the statement that wrote them out: the
// commit (or the statement that passed the limit) reports the error and nothing changes.
TEST(WriteCombiningLayer, RecordsThatCannotBeWrittenFailTheUpdateAndChangeNothing)
{
    TempDirectory folder;
    const std::string file = folder.File("discs.mdb");
    FailingWrites failing;
    TestConnection writer(file, Layer());
    writer.CreateItems();
    writer.BeginWrite();
    writer.ReplaceServer(0, 1, kDiscs);
    writer.Execute("COMMIT;");

    for (const int padding : {20, 3000}) {   // written out by the commit / at the limit
        writer.BeginWrite();
        g_failedWrites = 0;
        g_writesFail = true;
        EXPECT_THROW(
            {
                writer.ReplaceServer(0, 2, 400, padding);
                writer.Execute("COMMIT;");
            },
            std::runtime_error);
        g_writesFail = false;
        EXPECT_GT(g_failedWrites, 0);
        if (!sqlite3_get_autocommit(writer.Handle()))
            writer.Execute("ROLLBACK;");
        EXPECT_EQ(Expected(kDiscs, 1), TestConnection(file, nullptr).ServerState(0)) << "padding " << padding;
    }

    writer.BeginWrite();
    writer.ReplaceServer(0, 3, kDiscs);
    writer.Execute("COMMIT;");
    TestConnection reader(file, nullptr);
    EXPECT_EQ(Expected(kDiscs, 3), reader.ServerState(0));
    EXPECT_EQ("ok", reader.Text("PRAGMA integrity_check;"));
}

class DyingWriter : public ::testing::Test {
protected:
    // Runs the worker and returns once it has ended (or was ended after signalling).
    void RunWorker(const std::string& mode)
    {
        const std::string eventName = "BasaltCrashWorkerReady" + std::to_string(::GetCurrentProcessId());
        ScopedKernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
        ASSERT_TRUE(ready);
        std::string command = "\"" + DirectoryOf(ModuleFileName(nullptr)) + "\\sqlite_crash_worker.exe\" \"" + file +
                              "\" " + std::to_string(kServers) + " " + mode + " " + eventName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                     &started));
        ::CloseHandle(started.hThread);
        ScopedKernelHandle process(started.hProcess);
        HANDLE either[] = {ready.Get(), process.Get()};
        const DWORD woke = ::WaitForMultipleObjects(2, either, FALSE, 120000);
        if (woke == WAIT_OBJECT_0)
            ::TerminateProcess(process.Get(), 9);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.Get(), 30000));
        DWORD code = 99;
        ::GetExitCodeProcess(process.Get(), &code);
        ASSERT_EQ(mode == "mid-update" ? 9u : 0u, code) << "the worker failed before it was meant to die";
    }

    void ExpectEveryServerAtVersionOne()
    {
        for (const char* layer : {static_cast<const char*>(nullptr), Layer()}) {
            TestConnection reader(file, layer);
            EXPECT_EQ("ok", reader.Text("PRAGMA integrity_check;"));
            EXPECT_EQ(kServers * kDiscs, reader.Number("SELECT count(*) FROM Items;"));
            for (int server = 0; server < kServers; ++server)
                EXPECT_EQ(Expected(kDiscs, 1), reader.ServerState(server)) << "server " << server;
        }
    }

    TempDirectory folder;
    std::string file = folder.File("discs.mdb");
};

TEST_F(DyingWriter, KilledInTheMiddleOfAnUpdateLeavesThePreviousRowsAndASoundFile)
{
    RunWorker("mid-update");
    EXPECT_GT(FileSize(file + "-wal"), 1 << 20) << "records of the unfinished update were meant to reach the log";
    ExpectEveryServerAtVersionOne();
    // The next writer carries on from there.
    TestConnection writer(file, Layer());
    writer.BeginWrite();
    writer.ReplaceServer(0, 3, kDiscs);
    writer.Execute("COMMIT;");
    EXPECT_EQ(Expected(kDiscs, 3), TestConnection(file, nullptr).ServerState(0));
}

TEST_F(DyingWriter, EndingRightAfterACommitKeepsThatCommit)
{
    RunWorker("after-commit");
    ExpectEveryServerAtVersionOne();
}

} // namespace
