#pragma once

#include "database/sqlite_database.h"

#include <memory>
#include <string>

// Keeps the last connection to each database file open after its user is done with it, so
// that the search module's open and close around every server it scans cost nothing.
// Other processes still see every committed change: the engine checks the file each time.
class DatabaseConnections {
public:
    // An idle connection to the file (reused true: it was handed back after good use), or
    // a new one (create: make the file when missing).
    static std::unique_ptr<SqliteDatabase> Open(const std::string& utf8Path, bool create, bool& reused);
    // Hands a connection back; it stays open for the next user of the same file.
    static void Release(const std::string& utf8Path, std::unique_ptr<SqliteDatabase> connection);
    // Closes the idle connection of a file that is about to be deleted or replaced.
    static void Forget(const std::string& utf8Path);
};
