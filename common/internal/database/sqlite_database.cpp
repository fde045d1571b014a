#include "database/sqlite_database.h"

#include "database/sqlite_write_combining_vfs.h"

#include <sqlite3.h>

namespace {

int PrimaryCode(int resultCode) { return resultCode & 0xff; }

// The connection's own code is the extended form of `result`, unless something changed it since.
int ExtendedCode(sqlite3* db, int result)
{
    const int extended = db ? sqlite3_extended_errcode(db) : result;
    return PrimaryCode(extended) == PrimaryCode(result) ? extended : result;
}

[[noreturn]] void Fail(sqlite3* db, int result)
{
    throw DatabaseException(db ? sqlite3_errmsg(db) : "out of memory", ExtendedCode(db, result));
}

} // namespace

bool DatabaseException::IsDamagedFile() const
{
    return PrimaryCode(resultCode_) == SQLITE_NOTADB || PrimaryCode(resultCode_) == SQLITE_CORRUPT;
}

bool DatabaseException::IsStatementError() const { return PrimaryCode(resultCode_) == SQLITE_ERROR; }

SqliteDatabase::SqliteDatabase(const std::string& utf8Path, bool create)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int result = sqlite3_open_v2(utf8Path.c_str(), &db_, flags, WriteCombiningVfsName());
    if (result != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        const int code = ExtendedCode(db_, result);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseException(message, code);
    }
    // Another process may hold the file briefly; the suite's own lock serialises real work.
    sqlite3_busy_timeout(db_, 5000);
}

SqliteDatabase::~SqliteDatabase()
{
    reused_.clear();
    sqlite3_close_v2(db_);
}

void SqliteDatabase::Execute(const char* sql)
{
    char* error = nullptr;
    const int result = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
    if (result != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw DatabaseException(message, ExtendedCode(db_, result));
    }
}

SqliteStatement SqliteDatabase::Prepare(const char* sql) { return SqliteStatement(db_, sql); }

SqliteStatement& SqliteDatabase::Reused(const char* sql)
{
    auto& statement = reused_[sql];
    if (!statement)
        statement = std::make_unique<SqliteStatement>(db_, sql);
    else
        statement->Reset();
    return *statement;
}

void SqliteDatabase::ExecuteReused(const char* sql)
{
    SqliteStatement& statement = Reused(sql);
    statement.Step();
    statement.Reset();
}

void SqliteDatabase::BeginWriteTransaction()
{
    ExpectWriteTransaction(db_);
    ExecuteReused("BEGIN IMMEDIATE;");
}

void SqliteDatabase::SetCheckpointOnClose(bool checkpoint)
{
    if (const int result = sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, checkpoint ? 0 : 1, nullptr);
        result != SQLITE_OK)
        Fail(db_, result);
}

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) : db_(db)
{
    if (const int result = sqlite3_prepare_v2(db_, sql, -1, &statement_, nullptr); result != SQLITE_OK)
        Fail(db_, result);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept : db_(other.db_), statement_(other.statement_)
{
    other.statement_ = nullptr;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::Bind(int index, const std::string& text)
{
    const int result =
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (result != SQLITE_OK)
        Fail(db_, result);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t number)
{
    if (const int result = sqlite3_bind_int64(statement_, index, number); result != SQLITE_OK)
        Fail(db_, result);
    return *this;
}

bool SqliteStatement::Step()
{
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    Fail(db_, result);
}

void SqliteStatement::Reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string SqliteStatement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

std::int64_t SqliteStatement::Number(int column) const { return sqlite3_column_int64(statement_, column); }
