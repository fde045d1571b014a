#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the database engine, with the engine's description and result code.
class DatabaseException : public std::runtime_error {
public:
    DatabaseException(const std::string& description, int resultCode)
        : std::runtime_error(description), resultCode_(resultCode)
    {
    }
    // The engine's result code, in its extended form where the engine gave one.
    int ResultCode() const { return resultCode_; }
    // The file is not a database, or its content is damaged.
    bool IsDamagedFile() const;
    // The statement does not fit the database: a table or column it names is not there.
    bool IsStatementError() const;

private:
    int resultCode_;
};

class SqliteStatement;

// One open database file. Texts cross this class as UTF-8.
class SqliteDatabase {
public:
    // Opens an existing file (create false) or opens and creates it when missing.
    SqliteDatabase(const std::string& utf8Path, bool create);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void Execute(const char* sql);
    SqliteStatement Prepare(const char* sql);
    // A statement prepared once per connection and reset for each use; sql must be a literal.
    SqliteStatement& Reused(const char* sql);
    // Runs a statement without results that is prepared once per connection, like Reused.
    void ExecuteReused(const char* sql);
    // BEGIN IMMEDIATE, announced to the file layer first: the write lock is taken at the
    // start, so a transaction never waits half-way for another writer.
    void BeginWriteTransaction();
    // Whether closing the last connection to the file folds its log into it and removes the
    // log (the engine's default); without, the file and its companions stay as they were.
    void SetCheckpointOnClose(bool checkpoint);
    sqlite3* Handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::map<const char*, std::unique_ptr<SqliteStatement>> reused_;
};

// A prepared statement; parameters are numbered from 1, columns from 0.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    SqliteStatement(SqliteStatement&& other) noexcept;
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement& operator=(SqliteStatement&&) = delete;

    SqliteStatement& Bind(int index, const std::string& text);
    SqliteStatement& Bind(int index, std::int64_t number);
    // True while a row is there to read.
    bool Step();
    void Reset();

    std::string Text(int column) const;
    std::int64_t Number(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};
