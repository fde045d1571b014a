#pragma once

// A connection of another program to a database file, through the test program's own copy of
// the engine: it reads, changes and locks the file as a connection of another process would.
// A program that includes this links the engine itself (target sqlite3).
#include <sqlite3.h>

#include <stdexcept>
#include <string>

class OtherConnection {
public:
    // create: make the file when it is missing.
    explicit OtherConnection(const std::string& path, bool create = false)
    {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error("open " + path + ": " + message);
        }
    }
    ~OtherConnection() { sqlite3_close_v2(db_); }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    void Execute(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            throw std::runtime_error(sql + ": " + message);
        }
    }

private:
    sqlite3* db_ = nullptr;
};
