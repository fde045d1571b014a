// The database of all discs: one table "Items" that the search module fills server by server.
#include "cache/cache.h"

#include "base/named_semaphore.h"
#include "database/database_connections.h"
#include "database/database_file_aside.h"
#include "database/sqlite_database.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"

#include <windows.h>

#include <unordered_set>

namespace {

constexpr size_t kTextFieldSize = 255;
constexpr size_t kTypeFieldSize = 20;

// The file keeps the names and layout of the table the suite has always used; lookups by
// server and name have an index of their own.
constexpr char kCreateSchema[] =
    "BEGIN;"
    "CREATE TABLE Items ("
    " ID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Location TEXT COLLATE NOCASE,"
    " Name TEXT COLLATE NOCASE,"
    " ItemType INTEGER,"
    " Type TEXT,"
    " Comment TEXT);"
    "CREATE UNIQUE INDEX PrimaryKey ON Items (ID);"
    "CREATE INDEX LocationName ON Items (Location, Name);"
    "COMMIT;";

// A write-ahead log makes the commit of each server update cheap; a search module that dies
// still leaves only whole updates behind. A checkpoint costs three flushes to disk whatever
// its size, and a server update adds about seven pages to the log: a checkpoint every 4000
// pages (at most 16 MB of log, about every 600 servers) keeps that share of each update small.
constexpr char kConnectionSettings[] =
    "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA wal_autocheckpoint=4000;";
constexpr char kCheckSchema[] = "SELECT ID, Location, Name, ItemType, Type, Comment FROM Items LIMIT 0;";
constexpr char kCountSchemaObjects[] = "SELECT count(*) FROM sqlite_master;";
constexpr char kCountAll[] = "SELECT count(*) FROM Items;";
constexpr char kSelectAll[] = "SELECT Location, Name, ItemType, Type, Comment FROM Items;";
constexpr char kSelectServer[] = "SELECT Location, Name, ItemType, Type, ID FROM Items WHERE Location = ?1;";
constexpr char kSelectServerRows[] =
    "SELECT ID, Location, Name, ItemType, Type, Comment FROM Items WHERE Location = ?1;";
constexpr char kUpdateDisc[] = "UPDATE Items SET ItemType = ?1, Type = ?2, Comment = ?3 WHERE ID = ?4;";
constexpr char kFindDisc[] = "SELECT Location, Name FROM Items WHERE Location = ?1 AND Name = ?2;";
constexpr char kFindDiscOfType[] =
    "SELECT Location, Name FROM Items WHERE Location = ?1 AND Name = ?2 AND ItemType = ?3;";
constexpr char kInsertDisc[] = "INSERT INTO Items (Location, Name, ItemType, Type, Comment) VALUES (?1, ?2, ?3, ?4, ?5);";
constexpr char kDeleteRow[] = "DELETE FROM Items WHERE ID = ?1;";
constexpr char kSelectServers[] = "SELECT DISTINCT Location FROM Items;";
constexpr char kCommit[] = "COMMIT;";

// A disc's texts as the table stores them: cut to the field sizes, in UTF-8. Lookups need
// only the location and name; the rest is converted for the rare disc that is inserted.
struct DiscRow {
    explicit DiscRow(const CacheItem& disc)
        : location(Utf8FromAnsi(TruncateAnsi(disc.Location, kTextFieldSize))),
          name(Utf8FromAnsi(TruncateAnsi(disc.Name, kTextFieldSize)))
    {
    }
    static std::string Type(const CacheItem& disc) { return Utf8FromAnsi(TruncateAnsi(disc.Type, kTypeFieldSize)); }
    static std::string Comment(const CacheItem& disc)
    {
        return Utf8FromAnsi(TruncateAnsi(disc.Comment, kTextFieldSize));
    }
    std::string location;
    std::string name;
};

// How a disc is known among the discs of one server update: the stored texts, without case.
std::string UpperKey(const std::string& location, const std::string& name)
{
    std::string key = TruncateAnsi(location, kTextFieldSize) + '\n' + TruncateAnsi(name, kTextFieldSize);
    ::CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

bool FindRow(SqliteDatabase& database, const DiscRow& row, ListItemType type, bool withType)
{
    SqliteStatement& find = database.Reused(withType ? kFindDiscOfType : kFindDisc);
    find.Bind(1, row.location).Bind(2, row.name);
    if (withType)
        find.Bind(3, static_cast<std::int64_t>(type));
    const bool found = find.Step();
    find.Reset();   // a statement left on a row would keep the file busy
    return found;
}

void LogException(const char* member, const std::exception& error)
{
    LogFormatted("%s - Exception caught: %s \n", member, error.what());
}

// A damaged cache file is kept under this name beside the new one, the last one only.
constexpr char kDamagedSuffix[] = ".damaged";

// Why a cache file could not be opened, and so what may be done about it.
enum class OpenObstacle {
    Missing,       // no file: create it
    Empty,         // a database without a single table (a creation cut short): create the table in it
    Damaged,       // not a database, or damaged: set it aside and start a new one
    Foreign,       // a sound database of another layout: not ours to replace
    Unavailable,   // busy, locked, unreadable: try again later, change nothing
};

bool FileIsMissing(const std::string& file)
{
    if (::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// `database` is the connection whose layout check failed with `error`, if it got that far.
OpenObstacle ObstacleOf(const DatabaseException& error, SqliteDatabase* database, const std::string& file)
{
    if (error.IsDamagedFile())
        return OpenObstacle::Damaged;
    if (database && error.IsStatementError()) {
        try {
            SqliteStatement objects = database->Prepare(kCountSchemaObjects);
            return objects.Step() && objects.Number(0) == 0 ? OpenObstacle::Empty : OpenObstacle::Foreign;
        } catch (const DatabaseException& second) {
            return second.IsDamagedFile() ? OpenObstacle::Damaged : OpenObstacle::Unavailable;
        }
    }
    return FileIsMissing(file) ? OpenObstacle::Missing : OpenObstacle::Unavailable;
}

} // namespace

std::string Cache::GetCacheFileName() const
{
    std::string directory;
    try {
        directory = ReadProgramPath();
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::GetCacheFileName() - ", error);
        return {};
    }
    // Without the installation folder the name would point at the root of the current drive,
    // at a file that is not ours.
    if (directory.empty()) {
        Logging::OutToLogFile("Cache::GetCacheFileName() - Error: no \"Program Path\", no cache file!\n");
        return {};
    }
    return directory + "\\" + GetUserName() + CommonText(IDS_CACHE_DATABASE_FILE_EXT);
}

const std::string& Cache::CacheFile()
{
    if (!DatabaseFileSought) {
        DatabaseFile = GetCacheFileName();
        DatabaseFileSought = true;
    }
    return DatabaseFile;
}

CacheItem Cache::DiscFromRow(std::string location, std::string name, long itemType) const
{
    CacheItem disc;
    disc.Location = AnsiFromUtf8(std::move(location));
    disc.Name = AnsiFromUtf8(std::move(name));
    disc.OriginalName = disc.Name;
    disc.ItemType = static_cast<ListItemType>(itemType);
    return disc;
}

bool Cache::LockDatabase()
{
    if (!DatabaseLocked)
        DatabaseLocked = myCacheDBSemaphore.Lock(SEMAPHORE_TIMEOUT);
    return DatabaseLocked;
}

void Cache::UnlockDatabase()
{
    if (DatabaseLocked) {
        myCacheDBSemaphore.Unlock();
        DatabaseLocked = false;
    }
}

bool Cache::OpenDB(bool createIfMissing)
{
    if (Database)
        return true;
    if (CacheFile().empty())
        return false;
    std::unique_ptr<SqliteDatabase> database;
    bool layoutChecked = false;
    OpenObstacle obstacle = OpenObstacle::Unavailable;
    int resultCode = 0;
    try {
        bool reused = false;
        database = DatabaseConnections::Open(Utf8FromAnsi(DatabaseFile), false, reused);
        if (!reused) {
            // A file that fails the checks is closed as it was found, its log and all.
            database->SetCheckpointOnClose(false);
            database->Prepare(kCheckSchema);   // a damaged or foreign file fails here
            layoutChecked = true;
            database->Execute(kConnectionSettings);
            database->SetCheckpointOnClose(true);
        }
        Database = std::move(database);
        Logging::OutToLogFile("Cache file opened!\n");
        return true;
    } catch (const DatabaseException& error) {
        LogException("Cache::OpenDB()", error);
        Logging::OutToLogFile("Failed to open cache file!\n");
        // Only the layout check can tell a file of another layout.
        obstacle = ObstacleOf(error, layoutChecked ? nullptr : database.get(), DatabaseFile);
        resultCode = error.ResultCode();
    } catch (const std::exception& error) {
        LogException("Cache::OpenDB()", error);
        Logging::OutToLogFile("Failed to open cache file!\n");
        return false;
    }
    database.reset();   // the file is closed before anything is done to it

    if (obstacle == OpenObstacle::Foreign) {
        Logging::OutToLogFile("Cache::OpenDB() - Error: not a cache file, left as it is!\n");
        return false;
    }
    if (!createIfMissing)
        return false;
    if (obstacle == OpenObstacle::Unavailable) {
        LogFormatted("Cache::OpenDB() - Error %d: cache file left as it is!\n", resultCode);
        return false;
    }
    if (obstacle == OpenObstacle::Damaged && !MoveDamagedFileAside())
        return false;
    return CreateDB();
}

// The damaged file and its companions keep their bytes under another name, for whoever
// wants to look into them; an earlier damaged copy gives way.
bool Cache::MoveDamagedFileAside()
{
    const std::string aside = DatabaseFile + kDamagedSuffix;
    DatabaseConnections::Forget(Utf8FromAnsi(DatabaseFile));
    unsigned long error = 0;
    if (!MoveDatabaseFileAside(DatabaseFile, aside, error)) {
        LogFormatted("Cache::OpenDB() - Error %d: damaged cache file not moved aside!\n", static_cast<int>(error));
        return false;
    }
    LogFormatted("Cache::OpenDB() - Damaged cache file moved to %s\n", aside);
    return true;
}

bool Cache::CreateDB()
{
    const std::string utf8File = Utf8FromAnsi(DatabaseFile);
    try {
        DatabaseConnections::Forget(utf8File);
        Logging::OutToLogFile("Creating new cache file!\n");
        auto database = std::make_unique<SqliteDatabase>(utf8File, true);
        database->Execute(kConnectionSettings);
        database->Execute(kCreateSchema);
        Database = std::move(database);
        return true;
    } catch (const std::exception& error) {
        LogException("Cache::OpenDB()", error);
        Logging::OutToLogFile("Failed to create new cache file!\n");
        return false;
    }
}

void Cache::CloseDB()
{
    if (!Database)
        return;
    bool reusable = true;
    if (InServerTransaction) {
        // An update that did not reach its end leaves the server as it was.
        try {
            Database->Execute("ROLLBACK;");
        } catch (const std::exception& error) {
            LogException("Cache::CloseDB()", error);
            reusable = false;
        }
        InServerTransaction = false;
    }
    if (reusable)
        DatabaseConnections::Release(Utf8FromAnsi(DatabaseFile), std::move(Database));
    Database.reset();
    Logging::OutToLogFile("Cache file closed!\n");
}

void Cache::CompactDB()
{
    CloseDB();
    if (CacheFile().empty())
        return;
    // Nobody may use the file while it is replaced.
    const bool ownLock = !DatabaseLocked;
    if (ownLock && !LockDatabase())
        return;
    const std::string file = DatabaseFile;
    const std::string compacted = file + "2";
    DatabaseConnections::Forget(Utf8FromAnsi(file));
    try {
        ::DeleteFileA(compacted.c_str());
        {
            SqliteDatabase database(Utf8FromAnsi(file), false);
            // Only a cache file is rewritten; any other is closed as it was found.
            database.SetCheckpointOnClose(false);
            database.Prepare(kCheckSchema);
            database.SetCheckpointOnClose(true);
            // Everything in the log goes into the file first, so the copy is complete.
            database.Execute("PRAGMA wal_checkpoint(TRUNCATE);");
            SqliteStatement vacuum = database.Prepare("VACUUM INTO ?1;");
            vacuum.Bind(1, Utf8FromAnsi(compacted));
            vacuum.Step();
        }
        if (::CopyFileA(compacted.c_str(), file.c_str(), FALSE)) {
            ::DeleteFileA(compacted.c_str());
            Logging::OutToLogFile("Defragment of cache file done!\n");
        } else {
            Logging::OutToLogFile("Defragment of cache file failed!\n");
        }
    } catch (const std::exception& error) {
        LogException("Cache::CompactDB()", error);
        ::DeleteFileA(compacted.c_str());
    }
    if (ownLock)
        UnlockDatabase();
}

bool Cache::ReadAllMediaFromDBFile()
{
    if (CacheFile().empty())
        return true;   // no installation folder, so no database: an empty folder
    const bool ownLock = !DatabaseLocked;
    if (ownLock && !LockDatabase())
        return true;   // the search module holds the file: an empty folder, not an error
    if (!OpenDB(false)) {
        Logging::OutToLogFile("Cache::ReadAllMediaFromDBFile() - db open error!\n");
        if (ownLock)
            UnlockDatabase();
        return false;
    }
    bool result = true;
    try {
        const std::string allDiscs = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);
        SqliteStatement count = Database->Prepare(kCountAll);
        if (count.Step())
            Items.reserve(Items.size() + static_cast<size_t>(count.Number(0)));
        SqliteStatement rows = Database->Prepare(kSelectAll);
        while (rows.Step()) {
            CacheItem disc = DiscFromRow(rows.Text(0), rows.Text(1), static_cast<long>(rows.Number(2)));
            disc.Type = AnsiFromUtf8(rows.Text(3));
            disc.Comment = AnsiFromUtf8(rows.Text(4));
            disc.FolderPath = allDiscs;
            Items.push_back(std::move(disc));
        }
    } catch (const std::exception& error) {
        LogException("Cache::ReadAllMediaFromDBFile()", error);
        result = false;
    }
    CloseDB();
    if (ownLock)
        UnlockDatabase();
    return result;
}

// The lock and the file are held for this one look-up only: another Cache, perhaps on the
// same thread, may need them while this one lives.
bool Cache::ItemExistsInDB(const CacheItem& disc)
{
    if (CacheFile().empty())
        return false;
    const bool ownLock = !DatabaseLocked;
    if (ownLock && !LockDatabase())
        return false;
    const bool ownFile = !Database;
    bool found = false;
    if (OpenDB(false))
        found = FindCacheItemInDB(disc, true);
    else
        Logging::OutToLogFile("Cache::FindCacheItemInDB() - Error: db is not open!\n");
    if (ownFile)
        CloseDB();
    if (ownLock)
        UnlockDatabase();
    return found;
}

bool Cache::FindCacheItemInDB(const CacheItem& disc, bool withType)
{
    if (Status == CacheNotInitialized || !Database) {
        Logging::OutToLogFile("Cache::FindCacheItemInDB() - Error: db is not open!\n");
        return false;
    }
    try {
        return FindRow(*Database, DiscRow(disc), disc.ItemType, withType);
    } catch (const std::exception& error) {
        LogException("Cache::FindCacheItemInDB()", error);
        return false;
    }
}

bool Cache::AddItemInDB(const CacheItem& disc)
{
    if (Status != CacheServerUpdate || !Database) {
        Logging::OutToLogFile("Cache::AddItemInDB() - Error: db is not open!\n");
        return false;
    }
    try {
        LogFormatted("Adding item ->>  Name: '%s'\tType: '%s'\tLocation: '%s'\n",
                     disc.Name, disc.Type, disc.Location);
        if (UpdateServerRow(disc))
            return true;
        const DiscRow row(disc);
        if (!FindRow(*Database, row, disc.ItemType, false)) {
            SqliteStatement& insert = Database->Reused(kInsertDisc);
            insert.Bind(1, row.location).Bind(2, row.name).Bind(3, static_cast<std::int64_t>(disc.ItemType));
            insert.Bind(4, DiscRow::Type(disc)).Bind(5, DiscRow::Comment(disc));
            insert.Step();
        }
        return true;
    } catch (const std::exception& error) {
        LogException("Cache::AddItemInDB()", error);
        return false;
    }
}

void Cache::ReadServerRows(const std::string& server)
{
    ServerRowsOf = server;
    ServerRows.clear();
    ServerRowIndex.clear();
    SqliteStatement& rows = Database->Reused(kSelectServerRows);
    rows.Bind(1, Utf8FromAnsi(TruncateAnsi(server, kTextFieldSize)));
    while (rows.Step()) {
        std::string location = rows.Text(1);
        std::string name = rows.Text(2);
        std::string key = UpperKey(AnsiFromUtf8(location), AnsiFromUtf8(name));
        ServerRowIndex.emplace(key, ServerRows.size());
        ServerRows.push_back({std::move(key), rows.Number(0), std::move(location), std::move(name),
                              static_cast<long>(rows.Number(3)), rows.Text(4), rows.Text(5)});
    }
}

// A disc already stored for the server being updated keeps its row; a kind, type text or
// comment that changed on the server is written into that row rather than into a second one.
bool Cache::UpdateServerRow(const CacheItem& disc)
{
    const auto found = ServerRowIndex.find(UpperKey(disc.Location, disc.Name));
    if (found == ServerRowIndex.end())
        return false;
    ServerRow& stored = ServerRows[found->second];
    const std::string type = DiscRow::Type(disc);
    const std::string comment = DiscRow::Comment(disc);
    if (stored.itemType == disc.ItemType && stored.type == type && stored.comment == comment)
        return true;
    SqliteStatement& update = Database->Reused(kUpdateDisc);
    update.Bind(1, static_cast<std::int64_t>(disc.ItemType)).Bind(2, type).Bind(3, comment).Bind(4, stored.id);
    update.Step();
    stored.itemType = disc.ItemType;
    stored.type = type;
    stored.comment = comment;
    return true;
}

bool Cache::HasMediaBeenInserted(const CacheItem& disc) const
{
    return ServerDiscs.count(UpperKey(disc.Location, disc.Name)) != 0;
}

bool Cache::StartingWithNewServer(const std::string& server, int)
{
    LogFormatted("Cache::StartingWithNewServer() - %s\n", server);
    ServerDiscs.clear();
    LastUpdateCommitted = false;
    if (Status != CacheServerUpdate) {
        Logging::OutToLogFile("Bad cache status in StartingWithNewServer.\n");
        return false;
    }
    if (!LockDatabase()) {
        Logging::OutToLogFile("Could not lock semaphore in StartingWithNewServer.\n");
        return false;
    }
    if (OpenDB(true)) {
        try {
            // One transaction per server: a search module that dies mid-way changes nothing.
            Database->BeginWriteTransaction();
            InServerTransaction = true;
            ReadServerRows(server);
            return true;
        } catch (const std::exception& error) {
            LogException("Cache::StartingWithNewServer()", error);
        }
    } else {
        Logging::OutToLogFile("Could not open Cache file.\n");
    }
    CloseDB();
    UnlockDatabase();
    return false;
}

bool Cache::AddServerMedia(const CacheItem& disc)
{
    if (Status != CacheServerUpdate)
        return false;
    try {
        ServerDiscs.insert(UpperKey(disc.Location, disc.Name));
        return AddItemInDB(disc);
    } catch (const std::exception& error) {
        LogException("Cache::AddServerMedia()", error);
        return false;
    }
}

int Cache::DoneWithServer(const std::string& server, std::vector<CacheItem>& removed)
{
    Logging::OutToLogFile("Cache::DoneWithServer()\n");
    removed.clear();
    Items.clear();
    if (Status == CacheServerUpdate && Database) {
        try {
            if (!EqualsNoCase(server, ServerRowsOf))
                ReadServerRows(server);   // done with another server than the one started
            std::vector<std::int64_t> gone;
            for (const ServerRow& stored : ServerRows) {
                if (ServerDiscs.count(stored.key) != 0)
                    continue;
                CacheItem disc = DiscFromRow(stored.location, stored.name, stored.itemType);
                LogFormatted("Non-existing item <<-  Name='%s'\tType='%s'\tLocation='%s'\n",
                             disc.Name, AnsiFromUtf8(stored.type), disc.Location);
                gone.push_back(stored.id);
                removed.push_back(std::move(disc));
            }
            for (std::int64_t id : gone) {
                SqliteStatement& erase = Database->Reused(kDeleteRow);
                erase.Bind(1, id);
                erase.Step();
            }
            if (InServerTransaction) {
                Database->ExecuteReused(kCommit);
                InServerTransaction = false;
                LastUpdateCommitted = true;
            }
        } catch (const std::exception& error) {
            LogException("Cache::DoneWithServer()", error);
            removed.clear();   // rolled back below: nothing was removed
        }
    }
    CloseDB();
    UnlockDatabase();
    Items.clear();
    ServerDiscs.clear();
    ServerRows.clear();
    ServerRowIndex.clear();
    ServerRowsOf.clear();
    return static_cast<int>(removed.size());
}

int Cache::RemoveServer(const std::string& server, std::vector<CacheItem>& removed)
{
    LogFormatted("Cache::RemoveServer() - %s\n", server);
    removed.clear();
    LastUpdateCommitted = false;
    if (Status != CacheServerUpdate || !LockDatabase())
        return 0;
    if (OpenDB(false)) {
        try {
            Database->BeginWriteTransaction();
            InServerTransaction = true;
            std::vector<std::int64_t> gone;
            SqliteStatement& rows = Database->Reused(kSelectServer);
            rows.Bind(1, Utf8FromAnsi(TruncateAnsi(server, kTextFieldSize)));
            while (rows.Step()) {
                CacheItem disc = DiscFromRow(rows.Text(0), rows.Text(1), static_cast<long>(rows.Number(2)));
                LogFormatted("%s-%s | ", disc.Name, disc.Location);
                gone.push_back(rows.Number(4));
                removed.push_back(std::move(disc));
            }
            Logging::OutToLogFile("\n");
            for (std::int64_t id : gone) {
                SqliteStatement& erase = Database->Reused(kDeleteRow);
                erase.Bind(1, id);
                erase.Step();
            }
            Database->ExecuteReused(kCommit);
            InServerTransaction = false;
            LastUpdateCommitted = true;
        } catch (const std::exception& error) {
            LogException("Cache::RemoveServer()", error);
            removed.clear();
        }
    }
    CloseDB();
    UnlockDatabase();
    return static_cast<int>(removed.size());
}

int Cache::GetServerList(std::vector<std::string>& servers)
{
    Logging::OutToLogFile("Cache::GetServerList()\n");
    servers.clear();
    if (Status != CacheServerUpdate || !LockDatabase())
        return -1;
    if (OpenDB(false)) {
        try {
            SqliteStatement rows = Database->Prepare(kSelectServers);
            while (rows.Step()) {
                servers.push_back(AnsiFromUtf8(rows.Text(0)));
                LogFormatted("%s | ", servers.back());
            }
        } catch (const std::exception& error) {
            LogException("Cache::GetServerList()", error);
            servers.clear();
        }
    }
    CloseDB();
    UnlockDatabase();
    Items.clear();
    return static_cast<int>(servers.size()) - 1;
}
