// The wal-index locks of a connection: a transaction announced as a write keeps its reader
// slot exclusive instead of dropping and retaking it, everything else reaches the default
// layer as the engine issued it, and readers of other connections are only delayed.
#include "database/sqlite_reader_slot_locks.h"

#include "database/sqlite_write_combining_vfs.h"
#include "sqlite_test_connection.h"

#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

// The default layer's end of the lock calls: records what reaches it.
struct RecordingFile {
    sqlite3_file base;
    Calls calls;
};

int RecordShmLock(sqlite3_file* file, int offset, int count, int flags)
{
    // "+x 4": lock exclusive at offset 4; "-s 4": unlock shared.
    std::string call = (flags & SQLITE_SHM_UNLOCK) ? "-" : "+";
    call += (flags & SQLITE_SHM_EXCLUSIVE) ? "x " : "s ";
    call += std::to_string(offset);
    if (count != 1)
        call += "+" + std::to_string(count);
    reinterpret_cast<RecordingFile*>(file)->calls.push_back(call);
    return SQLITE_OK;
}

const sqlite3_io_methods kRecordingMethods = [] {
    sqlite3_io_methods methods{};
    methods.iVersion = 2;
    methods.xShmLock = RecordShmLock;
    return methods;
}();

class ReaderSlotLocksTest : public ::testing::Test {
protected:
    void SetUp() override { real_.base.pMethods = &kRecordingMethods; }

    // The engine's calls, written as the recording file writes them.
    void Engine(const Calls& calls)
    {
        for (const std::string& call : calls) {
            const int flags = (call[0] == '+' ? SQLITE_SHM_LOCK : SQLITE_SHM_UNLOCK) |
                              (call[1] == 'x' ? SQLITE_SHM_EXCLUSIVE : SQLITE_SHM_SHARED);
            ASSERT_EQ(SQLITE_OK, locks_.Lock(&real_.base, std::stoi(call.substr(3)), 1, flags)) << call;
        }
    }

    ReaderSlotLocks locks_{};
    RecordingFile real_{};
};

// What the engine issues for BEGIN IMMEDIATE ... COMMIT after another commit: move the mark
// of reader slot 1 (offset 4), read through it, take the write lock (offset 0), end both.
const Calls kWriteAfterCommit = {"+x 4", "-x 4", "+s 4", "+x 0", "-x 0", "-s 4"};

TEST_F(ReaderSlotLocksTest, AnAnnouncedWriteHoldsItsReaderSlotExclusiveThroughout)
{
    locks_.ExpectWrite();
    Engine(kWriteAfterCommit);
    EXPECT_EQ((Calls{"+x 4", "+x 0", "-x 0", "-x 4"}), real_.calls);
    // The announcement covers one transaction: the next one passes as issued.
    real_.calls.clear();
    Engine(kWriteAfterCommit);
    EXPECT_EQ(kWriteAfterCommit, real_.calls);
}

TEST_F(ReaderSlotLocksTest, ASlotDroppedForAnotherCallIsReleasedBeforeThatCallAndWhenAllIsReleased)
{
    // A snapshot that changed under the reader: it drops its slot and starts again.
    locks_.ExpectWrite();
    Engine({"+x 4", "-x 4", "+s 4", "-s 4", "+x 5", "-x 5", "+s 5"});
    EXPECT_EQ((Calls{"+x 4", "-x 4", "+x 5", "-x 5", "+s 5"}), real_.calls);

    // A mark moved, then something other than the same slot shared.
    locks_.ReleaseAll(&real_.base);
    real_.calls.clear();
    locks_.ExpectWrite();
    Engine({"+x 4", "-x 4", "+s 5"});
    EXPECT_EQ((Calls{"+x 4", "-x 4", "+s 5"}), real_.calls);

    // Unmapping the wal-index in the middle leaves nothing locked.
    real_.calls.clear();
    locks_.ExpectWrite();
    Engine({"-s 5", "+x 6", "-x 6", "+s 6"});
    locks_.ReleaseAll(&real_.base);
    EXPECT_EQ((Calls{"-s 5", "+x 6", "-x 6"}), real_.calls);
}

TEST_F(ReaderSlotLocksTest, ReadsAndCheckpointsPassUnchanged)
{
    const Calls read = {"+x 4", "-x 4", "+s 4", "-s 4"};
    const Calls checkpoint = {"+x 1", "+x 4", "-x 4", "+x 5", "-x 5", "+x 3", "-x 3", "-x 1"};
    // Announced, but the engine found the mark already moved: nothing to merge, nothing kept.
    const Calls writeWithoutMove = {"+s 4", "+x 0", "-x 0", "-s 4"};
    Calls issued;
    for (const Calls* part : {&read, &checkpoint, &writeWithoutMove, &checkpoint}) {
        if (part == &writeWithoutMove)
            locks_.ExpectWrite();
        Engine(*part);
        issued.insert(issued.end(), part->begin(), part->end());
    }
    EXPECT_EQ(issued, real_.calls);
}

// A reader of another connection that comes while a server update is open waits for its
// commit at most, and sees each server either before or after it, never a part.
TEST(ReaderSlotLocks, AReaderDuringAnAnnouncedWriteReadsWholeServers)
{
    TempDirectory folder;
    const std::string file = folder.File("discs.mdb");
    TestConnection writer(file, WriteCombiningVfsName());
    writer.CreateItems();
    writer.BeginWrite();
    writer.ReplaceServer(0, 1, 50);
    writer.Execute("COMMIT;");

    for (int version = 2; version <= 4; ++version) {
        // A commit of its own first, so that the update moves a reader mark (and keeps that
        // slot) rather than finding the mark a reader left at the newest commit.
        writer.Execute("UPDATE Items SET Type = 'DVD " + std::to_string(version) + "' WHERE Name = 'DISC1';");
        writer.BeginWrite();
        writer.ReplaceServer(0, version, 50);
        std::string seen;
        std::string failure;
        std::thread reader([&] {
            try {
                TestConnection other(file, nullptr);
                seen = other.ServerState(0);
            } catch (const std::exception& error) {
                failure = error.what();
            }
        });
        ::Sleep(300);
        writer.Execute("COMMIT;");
        reader.join();
        EXPECT_EQ("", failure);
        EXPECT_TRUE(seen == "50/v" + std::to_string(version - 1) || seen == "50/v" + std::to_string(version)) << seen;
    }
    TestConnection afterwards(file, nullptr);
    EXPECT_EQ("50/v4", afterwards.ServerState(0));
    EXPECT_EQ("ok", afterwards.Text("PRAGMA integrity_check;"));
}

} // namespace
