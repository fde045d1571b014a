#include "public/public_folder_cache.h"

#include "cache/cache.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_compare.h"

#include <algorithm>

namespace {

std::string PublicFoldersKeyPath() { return ProductKeyPath() + "\\" + CommonText(IDS_PUBLIC_FOLDERS_KEY); }

bool IsControlCharacter(char c) { return static_cast<unsigned char>(c) < 0x20; }

} // namespace

bool IsAcceptableFolderName(const std::string& name)
{
    return !name.empty() && std::none_of(name.begin(), name.end(), IsControlCharacter) &&
           name.find_first_not_of('.') != std::string::npos && Cache::IsValidName(name);
}

std::string CacheKeyFullName()
{
    return CommonText(IDS_ROOT_NAME_CURRENT_USER) + "\\" + ProductSubKeyPath(IDS_SUBKEY_CACHE);
}

std::vector<CacheItem> RootItems()
{
    std::vector<CacheItem> items;
    Cache root(CacheReadFolder, "");
    for (CacheIterator it = root.Begin(); it != root.End(); ++it) {
        if (*it)
            items.push_back(**it);
    }
    return items;
}

std::vector<std::string> ImportedRootFolders()
{
    std::vector<std::string> names;
    for (const CacheItem& item : RootItems()) {
        if (item.IsImportedFolder())
            names.push_back(item.Name);
    }
    return names;
}

bool ReadRootFolder(const std::string& name, CacheItem& folder)
{
    try {
        const RegKeyRead cache = RegKey::CURRENT_USER.GetKeyRead(ProductSubKeyPath(IDS_SUBKEY_CACHE));
        if (name.empty() || !cache.KeyExists(name))
            return false;
        const RegKeyRead key = cache.GetKeyRead(name);
        if (!folder.ReadDataSet1FromRegistry(&key))
            return false;
        folder.FolderPath.clear();
        return true;
    } catch (const RegKeyException&) {
        return false;
    }
}

std::vector<std::string> SelectedPublicFolders()
{
    std::vector<std::string> names;
    const std::string path = PublicFoldersKeyPath();
    if (!RegKey::CURRENT_USER.KeyExists(path))
        return names;
    RegValueEnumerator values = RegKey::CURRENT_USER.GetKeyRead(path).GetValueEnumerator();
    while (values.Next())
        names.push_back(values.GetName());
    return names;
}

void StoreSelectedPublicFolders(const std::vector<std::string>& names)
{
    const RegKey key = RegKey::CURRENT_USER.CreateKey(PublicFoldersKeyPath());
    for (const std::string& stored : SelectedPublicFolders()) {
        if (!ContainsNoCase(names, stored))
            key.DeleteValue(stored);
    }
    for (const std::string& name : names)
        key.SetStringValue(name, "");
}

bool ContainsNoCase(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& other) { return EqualsNoCase(other, name); });
}
