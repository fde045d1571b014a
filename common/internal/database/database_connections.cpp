#include "database/database_connections.h"

#include <map>
#include <mutex>

namespace {

std::mutex g_lock;

std::map<std::string, std::unique_ptr<SqliteDatabase>>& IdleConnections()
{
    static std::map<std::string, std::unique_ptr<SqliteDatabase>> idle;
    return idle;
}

} // namespace

std::unique_ptr<SqliteDatabase> DatabaseConnections::Open(const std::string& utf8Path, bool create, bool& reused)
{
    reused = false;
    {
        std::lock_guard lock(g_lock);
        auto found = IdleConnections().find(utf8Path);
        if (found != IdleConnections().end()) {
            std::unique_ptr<SqliteDatabase> connection = std::move(found->second);
            IdleConnections().erase(found);
            reused = true;
            return connection;
        }
    }
    return std::make_unique<SqliteDatabase>(utf8Path, create);
}

void DatabaseConnections::Release(const std::string& utf8Path, std::unique_ptr<SqliteDatabase> connection)
{
    std::unique_ptr<SqliteDatabase> replaced;
    std::lock_guard lock(g_lock);
    replaced = std::move(IdleConnections()[utf8Path]);
    IdleConnections()[utf8Path] = std::move(connection);
}

void DatabaseConnections::Forget(const std::string& utf8Path)
{
    std::unique_ptr<SqliteDatabase> closed;
    std::lock_guard lock(g_lock);
    auto found = IdleConnections().find(utf8Path);
    if (found != IdleConnections().end()) {
        closed = std::move(found->second);
        IdleConnections().erase(found);
    }
}
