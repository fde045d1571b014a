// Import of public folders into a client's cache, and the views told of folders that come and go.
//
// An export file comes from a folder other people can write to. It is read and checked whole
// before anything changes: only sections at or below the user's own cache key of the folder
// being imported are applied, and only when the file holds that folder. The new copy is built
// beside the old one and takes its place in one step, so a file that does not load leaves the
// folder as it was.
#include "public/public_folders.h"

#include "base/file_content.h"
#include "base/named_semaphore.h"
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "logging/logging.h"
#include "namespace/namespace_functions.h"
#include "ns_result_codes.h"
#include "pidl/pidl_mgr.h"
#include "public/export_text.h"
#include "public/index_text.h"
#include "public/public_folder_cache.h"
#include "public/search_module_object.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <optional>

using Microsoft::WRL::ComPtr;

namespace {

// Where the new copy of a folder is built: a name no folder can have ("|" is refused in names).
constexpr char kStagingSuffix[] = "|import";

// One section of an export file as it is to be applied: its key below the folder's.
struct PlacedSection {
    std::string path;   // "" for the folder's own key
    const std::vector<export_text::Value>* values;
};

const export_text::Value* LastValueNamed(const std::vector<PlacedSection>& sections, const char* name)
{
    const export_text::Value* found = nullptr;
    for (const PlacedSection& section : sections) {
        if (!section.path.empty())
            continue;
        for (const export_text::Value& value : *section.values) {
            if (EqualsNoCase(value.name, name))
                found = &value;
        }
    }
    return found;
}

// The file must hold the folder itself: a public folder of that name, as the export writes it
// (the cache finds a folder's key by its original name, so that must be the name too).
bool HoldsFolder(const std::vector<PlacedSection>& sections, const std::string& folderName)
{
    const auto isName = [&](const export_text::Value* value) {
        return value && !value->isNumber && EqualsNoCase(value->text, folderName);
    };
    const export_text::Value* type = LastValueNamed(sections, "ItemType");
    const export_text::Value* originalName = LastValueNamed(sections, "OriginalName");
    return type && type->isNumber && (type->number == PublicUserFolder || type->number == PublicMappedFolder) &&
           isName(LastValueNamed(sections, "Name")) && (!originalName || isName(originalName));
}

// A local item of the root that the import would overwrite: a key of that name (the registry
// ignores case) that is not an imported folder, or an item shown under that name.
bool ClashesWithLocalItem(const std::string& name)
{
    CacheItem existing;
    const RegKeyRead cache = RegKey::CURRENT_USER.GetKeyRead(ProductSubKeyPath(IDS_SUBKEY_CACHE));
    if (cache.KeyExists(name) && (!ReadRootFolder(name, existing) || !existing.IsImportedFolder()))
        return true;
    for (const CacheItem& item : RootItems()) {
        if (EqualsNoCase(item.Name, name) && !item.IsImportedFolder())
            return true;
    }
    return false;
}

// Gives a sub-key another name with all it holds: in one step where the system can rename keys
// (Windows Vista and later, Wine), else by a move.
void RenameSubKey(const RegKey& parent, const std::string& from, const std::string& to)
{
    using RenameFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);
    static const auto rename = reinterpret_cast<RenameFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegRenameKey")));
    if (rename && rename(parent, WideFromAnsi(from).c_str(), WideFromAnsi(to).c_str()) == ERROR_SUCCESS)
        return;
    parent.MoveKey(from, parent, to);
}

void LogFailedCall(const char* method, HRESULT result)
{
    LogFormatted("Failed calling INotifyNSServer::%s%s0x%08X\n", method,
                 FAILED(result) ? " with the HRESULT=" : " with the own-defined HRESULT=", static_cast<unsigned>(result));
}

} // namespace

bool PublicFolderMgr::ImportFolders(const std::vector<PublicFolderItem>& selected) const
{
    Logging::OutToLogFile("PublicFolderMgr::ImportFolders()\n");
    std::vector<std::string> imported = ImportedRootFolders();
    std::vector<std::string> names;
    for (const PublicFolderItem& entry : selected)
        names.push_back(entry.Name);
    try {
        StoreSelectedPublicFolders(names);
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::ImportFolders() - ", error);
    }

    bool all = true;
    for (const PublicFolderItem& entry : selected) {
        const bool done = ImportFolder(entry);
        all = all && done;
        const auto before = std::find_if(imported.begin(), imported.end(),
                                         [&](const std::string& name) { return EqualsNoCase(name, entry.Name); });
        if (before != imported.end())
            imported.erase(before);   // the views show it already
        else if (done)
            AddOrRemoveFolderFromShellViews(entry.Name, true);
    }
    for (const std::string& name : imported)
        WithdrawFolder(name);
    return all;
}

std::vector<std::string> PublicFolderMgr::GetSelectedFolders() const
{
    try {
        return SelectedPublicFolders();
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::GetSelectedFolders() - ", error);
        return {};
    }
}

bool PublicFolderMgr::ImportFolder(const PublicFolderItem& entry) const
{
    LogFormatted("PublicFolderMgr::ImportFolder() - '%s'\n", entry.Name);
    if (!IsAcceptableFolderName(entry.Name)) {
        Logging::OutToLogFile("PublicFolderMgr::ImportFolder() - refused: not a name of a folder\n");
        return false;
    }
    std::string location;
    if (!GetDataLocation(location) || !index_text::IsInsideFolder(entry.File, location)) {
        LogFormatted("PublicFolderMgr::ImportFolder() - refused: '%s' is not in the location of public folder data\n",
                     entry.File);
        return false;
    }
    try {
        if (ClashesWithLocalItem(entry.Name)) {
            ShowPrompt(::GetActiveWindow(), FormatText(CommonText(IDS_ERR_IMPORT_NAME_CLASH_FMT), entry.Name),
                       CommonText(IDS_CAPTION_ERROR_IMPORTING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
            return false;
        }
        if (!LoadKey(entry.File, entry.Name))
            return false;
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::ImportFolder() - ", error);
        return false;
    }
    CacheItem folder;
    if (ReadRootFolder(entry.Name, folder))
        ShellNotifyChange(folder, SHCNE_UPDATEDIR);
    return true;
}

bool PublicFolderMgr::LoadKey(const std::string& file, const std::string& folderName)
{
    const std::optional<std::string> text = ReadFileContent(file, export_text::kMaxTextBytes);
    if (!text) {
        LogFormatted("PublicFolderMgr::LoadKey() - could not read '%s' (error %u)\n", file,
                     static_cast<unsigned>(::GetLastError()));
        return false;
    }
    const export_text::ParsedText parsed = export_text::Parse(*text);
    if (parsed.unreadLines)
        LogFormatted("PublicFolderMgr::LoadKey() - %u lines of '%s' could not be read\n",
                     static_cast<unsigned>(parsed.unreadLines), file);
    const std::string folderKey = CacheKeyFullName() + "\\" + folderName;
    std::vector<PlacedSection> sections;
    for (const export_text::Section& section : parsed.sections) {
        std::optional<std::string> below = export_text::PathBelowKey(section.keyName, folderKey);
        if (!below) {
            LogFormatted("PublicFolderMgr::LoadKey() - skipped the section '%s'\n", section.keyName);
            continue;
        }
        sections.push_back({std::move(*below), &section.values});
    }
    if (!HoldsFolder(sections, folderName)) {
        LogFormatted("PublicFolderMgr::LoadKey() - '%s' does not hold the public folder '%s'\n", file, folderName);
        return false;
    }

    const RegKey cache = RegKey::CURRENT_USER.GetKey(ProductSubKeyPath(IDS_SUBKEY_CACHE));
    const std::string staging = folderName + kStagingSuffix;
    try {
        if (cache.KeyExists(staging))
            cache.DeleteKey(staging);   // left by an import that did not end
        // Without the folder's own values until it takes its place: no reader takes it for an item.
        const RegKey copy = cache.CreateKey(staging);
        for (const PlacedSection& section : sections) {
            if (section.path.empty())
                continue;
            const RegKey key = copy.CreateKey(section.path);
            WriteValuesToRegistry(&key, *section.values);
        }
        const SemaphoreLock lock(Cache::myCacheRegSemaphore, Cache::SEMAPHORE_TIMEOUT);
        if (!lock.IsHeld())
            throw RegKeyException(ERROR_TIMEOUT);
        if (cache.KeyExists(folderName))
            cache.DeleteKey(folderName);
        RenameSubKey(cache, staging, folderName);
        const RegKey folder = cache.GetKey(folderName);
        for (const PlacedSection& section : sections) {
            if (section.path.empty())
                WriteValuesToRegistry(&folder, *section.values);
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::LoadKey() - ", error);
        try {
            if (cache.KeyExists(staging))
                cache.DeleteKey(staging);
        } catch (const RegKeyException&) {
            // The import's own failure is the one to report.
        }
        return false;
    }
    return true;
}

void PublicFolderMgr::WriteValuesToRegistry(const RegKey* key, const std::vector<export_text::Value>& values)
{
    for (const export_text::Value& value : values) {
        if (value.isNumber)
            key->SetDWORDValue(value.name, value.number);
        else
            key->SetStringValue(value.name, value.text);
    }
}

bool PublicFolderMgr::WithdrawFolder(const std::string& name) const
{
    CacheItem folder;
    if (!ReadRootFolder(name, folder))
        return true;   // gone already
    if (!folder.IsImportedFolder())
        return false;   // a folder of the user's own
    AddOrRemoveFolderFromShellViews(name, false);
    // The search module deleted it when it could be reached; a second delete finds nothing.
    folder.OriginalName = name;
    Cache root(CacheEdit, "");
    const long status = root.DeleteItem(folder);
    if (status == 0 || status == kCacheItemNotFound)
        return true;
    LogFormatted("PublicFolderMgr::WithdrawFolder() - '%s' could not be deleted\n", name);
    return false;
}

bool PublicFolderMgr::AddOrRemoveFolderFromShellViews(const std::string& name, bool add) const
{
    Logging::OutToLogFile("PublicFolderMgr::AddOrRemoveFolderFromShellViews()\n");
    CacheItem folder;
    if (!ReadRootFolder(name, folder)) {
        if (add)
            return false;
        folder.Name = name;   // already gone from the cache: the views still have it
        folder.ItemType = PublicUserFolder;
    }
    folder.OriginalName = name;   // the key's own name, whatever the folder's data say
    const ComApartment apartment;
    if (apartment.Result() == S_FALSE)
        Logging::OutToLogFile("COM library was already initialized (no error)\n");
    else if (!apartment.IsReady())
        Logging::OutToLogFile("CoInitialize - Could not init the COM library.\n");
    ComPtr<INotifyNSServer> server;
    if (FAILED(CreateSearchModuleObject(IID_INotifyNSServer, reinterpret_cast<void**>(server.GetAddressOf())))) {
        Logging::OutToLogFile("Could not get the INotifyNSServer interface.\n");
        return false;
    }
    if (!folder.InitStruct()) {
        Logging::OutToLogFile("Could not initiate cache item struct.\n");
        return false;
    }
    const HRESULT result = add ? server->UpdateItem(0, L"", folder.Record) : server->DeleteItem(0, L"", folder.Record);
    // A folder that is already gone is what a removal wants.
    if (result != S_OK && (add || result != NSS_S_NOT_FOUND)) {
        LogFailedCall(add ? "UpdateItem()" : "DeleteItem()", result);
        return false;
    }
    ShellNotifyChange(folder, add ? SHCNE_MKDIR : SHCNE_RMDIR);
    return true;
}

bool PublicFolderMgr::ShellNotifyChange(const CacheItem& item, long event) const
{
    Logging::OutToLogFile("PublicFolderMgr::ShellNotifyChange()\n");
    const ScopedPidl root(
        NamespaceFunctions::GetVirtualFolderPidl(BrandingText(IDS_BRAND_NAMESPACE_NAME).c_str(), std::string()));
    if (!root)
        return false;   // the namespace is not registered here
    const PidlMgr pidls;
    const ScopedPidl child(pidls.Create(item, std::string()));
    const ScopedPidl joined(child ? pidls.Concatenate(root.get(), child.get()) : nullptr);
    if (!joined)
        return false;
    ::SHChangeNotify(event, SHCNF_IDLIST | SHCNF_FLUSH, joined.get(), nullptr);
    return true;
}
