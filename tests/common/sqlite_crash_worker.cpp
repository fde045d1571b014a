// Writes server updates to a disc database through the cache file's engine layer and then
// dies without closing anything, for the tests that check what such a death leaves behind.
// Usage: sqlite_crash_worker <database> <servers> mid-update <event name>
//          commits server 0..servers-1 at version 1, then starts version 2 of every server in
//          one transaction, sets the event and waits to be killed;
//        sqlite_crash_worker <database> <servers> after-commit
//          commits servers 0..servers-1 at version 1, then ends its process at once.
#include "database/sqlite_write_combining_vfs.h"

#include "sqlite_test_connection.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kDiscs = 50;
// Large enough that the unfinished update passes the layer's limit for held-back writes.
constexpr int kUnfinishedDiscs = 400;
constexpr int kUnfinishedPadding = 400;

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const std::string path = argv[1];
    const int servers = std::atoi(argv[2]);
    const std::string mode = argv[3];
    try {
        TestConnection writer(path, WriteCombiningVfsName());
        writer.CreateItems();
        for (int server = 0; server < servers; ++server) {
            writer.BeginWrite();
            writer.ReplaceServer(server, 1, kDiscs);
            writer.Execute("COMMIT;");
        }
        if (mode == "after-commit") {
            ::TerminateProcess(::GetCurrentProcess(), 0);
        } else if (mode == "mid-update" && argc == 5) {
            // A small page cache sends records of the unfinished update to the log as it goes.
            writer.Execute("PRAGMA cache_size=8;");
            writer.BeginWrite();
            for (int server = 0; server < servers; ++server)
                writer.ReplaceServer(server, 2, kUnfinishedDiscs, kUnfinishedPadding);
            HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[4]);
            if (!ready || !::SetEvent(ready))
                return 4;
            ::Sleep(INFINITE);
        }
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sqlite_crash_worker: %s\n", error.what());
        return 3;
    }
}
