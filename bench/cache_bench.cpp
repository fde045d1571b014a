// The cache against raw access to the same stores, measured side by side in one run:
//  1. opening the all-discs folder over 10,000 discs and walking it, against a raw SELECT;
//  2. a full server update of 200 servers x 50 discs, against inserting the rows once;
//  3. opening a registry folder of 1,000 items and walking it, against a raw enumeration.
#include "cache/cache.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include "side_by_side.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace side_by_side;

constexpr int kServers = 200;
constexpr int kDiscsPerServer = 50;

std::string Server(int s) { return "\\\\SERVER" + std::to_string(s); }

CacheItem Disc(int server, int disc)
{
    CacheItem item;
    item.Name = item.OriginalName = "DISC" + std::to_string(disc);
    item.Location = Server(server);
    item.ItemType = CdRomDisc;
    item.Type = "CD/DVD";
    item.Comment = "Share comment of disc " + std::to_string(disc);
    return item;
}

// Every server scanned once, as the search module does it with one cache object; discs
// first..first+count-1 are found on each.
void UpdateAllServers(int first, int count)
{
    Cache update(CacheServerUpdate, "");
    for (int s = 0; s < kServers; ++s) {
        update.StartingWithNewServer(Server(s));
        for (int d = first; d < first + count; ++d)
            update.AddServerMedia(Disc(s, d));
        std::vector<CacheItem> removed;
        update.DoneWithServer(Server(s), removed);
    }
}

void BenchAllDiscsFolder(const std::string& file)
{
    size_t walked = 0;
    const auto cache = [&] {
        Cache all(CacheReadFolder, "All Discs");
        for (CacheIterator it = all.Begin(); it != all.End(); ++it)
            walked += (*it)->Name.size();
    };
    const auto raw = [&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* rows = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Items;", -1, &rows, nullptr);
        std::vector<std::vector<std::string>> table;
        while (sqlite3_step(rows) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 1; c < 6; ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(rows, c));
                row.emplace_back(text ? text : "");
            }
            table.push_back(std::move(row));
        }
        sqlite3_finalize(rows);
        sqlite3_close(db);
        walked += table.size();
    };
    Report("open and walk the all-discs folder (10,000 discs)", MeasureSideBySide(cache, raw), 2.0);
}

void BenchServerUpdate(const TempDirectory& folder)
{
    // Every disc present already, one new and one gone per server: alternate the window.
    int first = 1;
    const auto cache = [&] {
        UpdateAllServers(first, kDiscsPerServer);
        first = first == 1 ? 0 : 1;
    };
    const std::string rawFile = folder.File("raw.db");
    const auto raw = [&] {
        ::DeleteFileA(rawFile.c_str());
        sqlite3* db = nullptr;
        sqlite3_open_v2(rawFile.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        sqlite3_exec(db,
                     "CREATE TABLE Items (ID INTEGER PRIMARY KEY AUTOINCREMENT, Location TEXT, Name TEXT,"
                     " ItemType INTEGER, Type TEXT, Comment TEXT); BEGIN;",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Items (Location, Name, ItemType, Type, Comment) VALUES (?,?,?,?,?);", -1,
                           &insert, nullptr);
        for (int s = 0; s < kServers; ++s) {
            for (int d = 0; d < kDiscsPerServer; ++d) {
                const CacheItem disc = Disc(s, d);
                sqlite3_bind_text(insert, 1, disc.Location.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 2, disc.Name.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(insert, 3, disc.ItemType);
                sqlite3_bind_text(insert, 4, disc.Type.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 5, disc.Comment.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };
    Report("full server update (200 servers x 50 discs, 1 new, 1 gone)", MeasureSideBySide(cache, raw), 3.0);
}

void BenchRegistryFolder()
{
    constexpr int kItems = 1000;
    const std::string folderKey = std::string(kProductKey) + "\\Cache\\Big";
    RegKey big = RegKey::CURRENT_USER.CreateKey(folderKey);
    big.SetStringValue("Name", "Big");
    big.SetStringValue("OriginalName", "Big");
    big.SetDWORDValue("ItemType", UserFolder);
    for (int i = 0; i < kItems; ++i) {
        CacheItem item;
        item.Name = item.OriginalName = "Folder " + std::to_string(i);
        item.ItemType = UserFolder;
        item.Comment = "comment";
        item.WriteDataSet1ToRegistry(&big, item.Name);
    }
    size_t walked = 0;
    const auto cache = [&] {
        Cache folder(CacheReadFolder, "Big");
        for (CacheIterator it = folder.Begin(); it != folder.End(); ++it)
            walked += (*it)->Name.size();
    };
    const auto raw = [&] {
        HKEY parent = nullptr;
        ::RegOpenKeyExA(HKEY_CURRENT_USER, folderKey.c_str(), 0, KEY_READ, &parent);
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (::RegEnumKeyExA(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            HKEY item = nullptr;
            ::RegOpenKeyExA(parent, name, 0, KEY_READ, &item);
            for (const char* value : {"Name", "OriginalName", "Type", "Comment", "Location"}) {
                char data[256];
                DWORD size = sizeof data;
                ::RegQueryValueExA(item, value, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
            }
            for (const char* value : {"ItemType", "HasSubFolders"}) {
                DWORD data = 0;
                DWORD size = sizeof data;
                ::RegQueryValueExA(item, value, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
            }
            ::RegCloseKey(item);
            ++walked;
        }
        ::RegCloseKey(parent);
    };
    Report("open and walk a registry folder (1,000 items)", MeasureSideBySide(cache, raw), 1.5);
}

} // namespace

int main()
{
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
    if (!branding.IsLoaded()) {
        std::fprintf(stderr, "cache_bench: Skinset.dll not found beside the program\n");
        return 1;
    }
    RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
    machine.SetStringValue("Program Path", folder.Path());
    machine.SetDWORDValue("Installed Version", 387);
    RegKey allDiscs = RegKey::CURRENT_USER.CreateKey(std::string(kProductKey) + "\\Cache\\All Discs");
    allDiscs.SetStringValue("Name", "All Discs");
    allDiscs.SetStringValue("OriginalName", "All Discs");
    allDiscs.SetDWORDValue("ItemType", SystemFolder);

    UpdateAllServers(0, kDiscsPerServer);
    BenchAllDiscsFolder(Cache(CacheServerUpdate, "").GetCacheFileName());
    BenchServerUpdate(folder);
    BenchRegistryFolder();
    return 0;
}
