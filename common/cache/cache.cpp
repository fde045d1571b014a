#include "cache/cache.h"

#include "base/named_semaphore.h"
#include "database/sqlite_database.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"
#include "text/text_compare.h"

#include <objbase.h>

NamedSemaphore Cache::myCacheDBSemaphore("myNSCacheDBSemaphore");
NamedSemaphore Cache::myCacheRegSemaphore("myNSCacheRegSemaphore");

CacheItem* CacheIterator::operator*() const
{
    if (!Owner || Position < 0 || static_cast<size_t>(Position) >= Owner->Items.size())
        return nullptr;
    return const_cast<CacheItem*>(&Owner->Items[static_cast<size_t>(Position)]);
}

Cache::Cache(CacheStatus mode, const std::string& path) : OpenedPath(path), Status(mode)
{
    try {
        RegKeyRead folderKey = RegKey::CURRENT_USER.GetKeyRead(GetRegPath(OpenedPath));
        OpenedFolder.ReadDataSet1FromRegistry(&folderKey);
        const auto slash = OpenedPath.find_last_of('\\');
        OpenedFolder.FolderPath = slash == std::string::npos ? std::string() : OpenedPath.substr(0, slash);
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::Cache() - ", error);
        Status = CacheNotInitialized;
    }

    if (Status == CacheReadFolder) {
        if (AuxiliaryFunctions::GetUser() != ItemCreatorClient && IsAllDiscsPath())
            Status = CacheAllDiscs;
        else
            ReadCacheFromRegistry();
    }
    if (Status == CacheAllDiscs && !ReadAllMediaFromDBFile())
        Status = CacheNotInitialized;
}

Cache::~Cache()
{
    CloseDB();
    Database.reset();
    Items.clear();
    // Only what this object holds is released: releasing a lock held by another process
    // would let two writers in.
    UnlockDatabase();
}

CacheIterator Cache::Begin()
{
    if (Status == CacheNotInitialized) {
        Logging::OutToLogFile("   Cache was not initialized!\n");
        return CacheIterator();
    }
    return CacheIterator(this);
}

CacheIterator Cache::End()
{
    if (Status == CacheNotInitialized) {
        Logging::OutToLogFile("   Cache was not initialized!\n");
        return CacheIterator();
    }
    CacheIterator end(this);
    end.Position = static_cast<int>(Items.size());
    return end;
}

void Cache::ReadCacheFromRegistry()
{
    try {
        RegKeyRead folderKey = RegKey::CURRENT_USER.GetKeyRead(GetRegPath(OpenedPath));
        RegKeyEnumerator entries = folderKey.GetKeyEnumerator();
        while (entries.Next()) {
            CacheItem item;
            RegKeyRead itemKey = folderKey.GetKeyRead(entries.GetName());
            if (item.ReadDataSet1FromRegistry(&itemKey)) {
                item.FolderPath = OpenedPath;
                Items.push_back(std::move(item));
            }
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cache::ReadCacheFromRegistry() - ", error);
    }
}

bool Cache::IsAllDiscsPath() const { return EqualsNoCase(OpenedPath, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER)); }

// The all-discs folder of a user who is not a client lives in the database, not the registry.
bool Cache::IsDatabaseFolder() const { return AuxiliaryFunctions::GetUser() != ItemCreatorClient && IsAllDiscsPath(); }

void Cache::GetOpenedFolderData(CacheItem& out) const
{
    out.Name = OpenedFolder.Name;
    out.OriginalName = OpenedFolder.OriginalName;
    out.Type = OpenedFolder.Type;
    out.Comment = OpenedFolder.Comment;
    out.Location = OpenedFolder.Location;
    out.ItemType = OpenedFolder.ItemType;
    out.HasSubFolders = OpenedFolder.HasSubFolders;
    out.FolderPath = OpenedFolder.FolderPath;
    out.IconFile = OpenedFolder.IconFile;
    out.IconIndex = OpenedFolder.IconIndex;
}

std::string Cache::GetRegPath(const std::string& path) const
{
    std::string key = ProductSubKeyPath(IDS_SUBKEY_CACHE);
    if (!path.empty())
        key += "\\" + path;
    return key;
}

std::string Cache::ReplaceCharacters(const std::string& text, char from, char to)
{
    std::string result = text;
    if (from != to) {
        for (char& c : result) {
            if (c == from)
                c = to;
        }
    }
    return result;
}

std::string Cache::RemoveCharacters(const std::string& text, const std::string& characters)
{
    std::string result;
    for (char c : text) {
        if (characters.find(c) == std::string::npos)
            result += c;
    }
    return result;
}

bool Cache::GetUniqueName(std::string& name, unsigned int length)
{
    GUID guid;
    if (FAILED(::CoCreateGuid(&guid)))
        return false;
    wchar_t text[64];
    if (!::StringFromGUID2(guid, text, 64))
        return false;
    std::string plain;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c != L'{' && *c != L'}' && *c != L'-')
            plain += static_cast<char>(*c);
    }
    name = plain.substr(0, length);
    return !name.empty();
}

std::string Cache::GetUserName()
{
    char name[257];
    DWORD size = sizeof name;
    if (::GetUserNameA(name, &size) && size > 1)
        return std::string(name);
    return CommonText(IDS_DEFAULT_USER_NAME);
}

bool Cache::IsValidName(const std::string& name)
{
    return name.find_first_of(CommonText(IDS_INVALID_NAME_CHARACTERS)) == std::string::npos;
}
