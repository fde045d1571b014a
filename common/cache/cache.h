#pragma once

#include "basalt_api.h"
#include "item/item.h"

#include <memory>
#include <string>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class NamedSemaphore;
class SqliteDatabase;

// The open mode of a Cache, and its state after opening.
enum CacheStatus : int {
    CacheNotInitialized = 0,
    CacheServerUpdate = 1,
    CacheEdit = 2,
    CacheAllDiscs = 3,
    CacheReadFolder = 4,
    CacheFolderOnly = 5,
};

enum ClipboardOperations : int {
    ClipboardCopy = 1,
    ClipboardCut = 2,
};

// The "item not found" status of DeleteItem, shared with the search module's answers.
constexpr long kCacheItemNotFound = 0x0004200C;

class Cache;

// A position in a Cache's items.
class BASALT_API CacheIterator {
public:
    CacheIterator() = default;
    explicit CacheIterator(const Cache* owner) : Owner(owner) {}

    bool operator==(const CacheIterator& other) const { return Position == other.Position; }
    bool operator!=(const CacheIterator& other) const { return Position != other.Position; }
    CacheIterator& operator++()
    {
        ++Position;
        return *this;
    }
    // The item here; null without an owner or past the end.
    CacheItem* operator*() const;

    const Cache* Owner = nullptr;
    int Position = 0;
};

// One folder of the namespace cache, opened in one mode for one task: the registry tree of
// the user's folders, or the database of all discs that the search module fills.
class BASALT_API Cache {
public:
    Cache(CacheStatus mode, const std::string& path);
    virtual ~Cache();
    Cache(const Cache&) = delete;
    Cache& operator=(const Cache&) = delete;

    CacheStatus GetStatus() const { return Status; }
    CacheIterator Begin();
    CacheIterator End();
    size_t ItemCount() const { return Items.size(); }

    bool AddItem(const CacheItem& item);
    // With rename, item.Name holds "new name|old name".
    bool UpdateItem(CacheItem& item, bool rename);
    long DeleteItem(const CacheItem& item);
    long MoveItem(CacheItem& item, const std::string& destinationPath, ClipboardOperations operation,
                  const std::string& newName);
    bool ItemExists(const CacheItem& item);
    bool ItemExists(const CacheItem& item, std::string& keyName);

    void GetOpenedFolderData(CacheItem& out) const;
    std::string GetRegPath(const std::string& path) const;

    // Server updates of the database of all discs (the search module's side).
    bool StartingWithNewServer(const std::string& server, int unused = 0);
    bool AddServerMedia(const CacheItem& disc);
    int DoneWithServer(const std::string& server, std::vector<CacheItem>& removed);
    int RemoveServer(const std::string& server, std::vector<CacheItem>& removed);
    // Whether the last DoneWithServer or RemoveServer committed its changes; until it did,
    // neither the discs added nor those removed are in the file.
    bool ServerUpdateCommitted() const { return LastUpdateCommitted; }
    int GetServerList(std::vector<std::string>& servers);
    void CompactDB();

    static std::string ReplaceCharacters(const std::string& text, char from, char to);
    static std::string RemoveCharacters(const std::string& text, const std::string& characters);
    static bool GetUniqueName(std::string& name, unsigned int length);
    static std::string GetUserName();
    static bool IsValidName(const std::string& name);

    static NamedSemaphore myCacheDBSemaphore;
    static NamedSemaphore myCacheRegSemaphore;
    static const unsigned long SEMAPHORE_TIMEOUT = 20000;

    // The database file of the current user; empty when the installation folder is not known.
    std::string GetCacheFileName() const;

private:
    friend class CacheIterator;

    void ReadCacheFromRegistry();
    bool IsAllDiscsPath() const;
    bool IsDatabaseFolder() const;
    std::string DiscKeyName(const CacheItem& disc) const;
    bool IsMoveOperationOK(const CacheItem& item, const std::string& sourceKeyPath,
                           const std::string& destinationKeyPath);

    const std::string& CacheFile();
    bool OpenDB(bool createIfMissing);
    bool CreateDB();
    bool MoveDamagedFileAside();
    void CloseDB();
    bool LockDatabase();
    void UnlockDatabase();
    bool ReadAllMediaFromDBFile();
    bool ItemExistsInDB(const CacheItem& disc);
    bool FindCacheItemInDB(const CacheItem& disc, bool withType);
    bool AddItemInDB(const CacheItem& disc);
    bool HasMediaBeenInserted(const CacheItem& disc) const;
    CacheItem DiscFromRow(std::string location, std::string name, long itemType) const;
    void ReadServerRows(const std::string& server);
    bool UpdateServerRow(const CacheItem& disc);

    // A row of the server being updated, as stored (UTF-8 texts).
    struct ServerRow {
        std::string key;   // upper-cased "location\nname"
        std::int64_t id;
        std::string location;
        std::string name;
        long itemType;
        std::string type;
        std::string comment;
    };

    std::string OpenedPath;
    CacheStatus Status;
    std::vector<CacheItem> Items;
    // The discs added during the current server update, as upper-cased "location\nname".
    std::unordered_set<std::string> ServerDiscs;
    // The rows of that server when its update started, in table order, and where each one is
    // by its upper-cased "location\nname": read once instead of one lookup per disc.
    std::string ServerRowsOf;
    std::vector<ServerRow> ServerRows;
    std::unordered_map<std::string, size_t> ServerRowIndex;
    CacheItem OpenedFolder;
    bool DatabaseLocked = false;
    bool InServerTransaction = false;
    bool LastUpdateCommitted = false;
    std::unique_ptr<SqliteDatabase> Database;
    std::string DatabaseFile;   // the database file of this object, found on first use
    bool DatabaseFileSought = false;
};
