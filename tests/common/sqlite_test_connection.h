#pragma once

// A connection to a disc database for the tests of the cache file's engine layer: the same
// table, indexes and settings as the cache, servers written the way the search module writes
// them. Failures throw, so a test or worker stops at the first one.
#include "database/sqlite_write_combining_vfs.h"

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>

class TestConnection {
public:
    // vfs: the engine file layer to use, nullptr for the default one.
    TestConnection(const std::string& path, const char* vfs)
    {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, vfs) != SQLITE_OK) {
            const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error("open " + path + ": " + message);
        }
        sqlite3_busy_timeout(db_, 10000);
        Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    }
    ~TestConnection() { sqlite3_close_v2(db_); }
    TestConnection(const TestConnection&) = delete;
    TestConnection& operator=(const TestConnection&) = delete;

    void Execute(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            throw std::runtime_error(sql + ": " + message);
        }
    }

    // BEGIN IMMEDIATE the way the cache starts a server update.
    void BeginWrite()
    {
        ExpectWriteTransaction(db_);
        Execute("BEGIN IMMEDIATE;");
    }

    // The first column of the first row, as text ("" without a row).
    std::string Text(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        std::string result;
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW && sqlite3_column_text(statement, 0))
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        return result;
    }

    std::int64_t Number(const std::string& sql) { return std::stoll(Text(sql)); }

    void CreateItems()
    {
        Execute("CREATE TABLE IF NOT EXISTS Items (ID INTEGER PRIMARY KEY AUTOINCREMENT,"
                " Location TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE, ItemType INTEGER, Type TEXT, Comment TEXT);"
                "CREATE UNIQUE INDEX IF NOT EXISTS PrimaryKey ON Items (ID);"
                "CREATE INDEX IF NOT EXISTS LocationName ON Items (Location, Name);");
    }

    // The rows of one server replaced by `discs` rows stamped with `version`, without the
    // transaction around it. `padding` makes the rows (and so the log records) larger.
    void ReplaceServer(int server, int version, int discs, int padding = 20)
    {
        const std::string location = "'\\\\SERVER" + std::to_string(server) + "'";
        Execute("DELETE FROM Items WHERE Location = " + location + ";");
        Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(discs) +
                ") INSERT INTO Items (Location, Name, ItemType, Type, Comment) SELECT " + location +
                ", 'DISC' || i, 3, 'CD/DVD', 'v" + std::to_string(version) + " ' || printf('%." +
                std::to_string(padding) + "c', 'x') FROM n;");
    }

    // Every row of one server summed up as "rows/versions", e.g. "50/v7": what a reader sees.
    std::string ServerState(int server)
    {
        return Text("SELECT count(*) || '/' || ifnull(group_concat(DISTINCT substr(Comment, 1, instr(Comment, ' ') - 1)), '')"
                    " FROM Items WHERE Location = '\\\\SERVER" + std::to_string(server) + "';");
    }

    sqlite3* Handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};
