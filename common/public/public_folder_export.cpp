// Export of the administrator's folders: the export text is made whole in memory from the
// registry (and, for the folder of all discs, from the database) and written as one file.
#include "public/public_folders.h"

#include "base/file_content.h"
#include "base/module_path.h"
#include "cache/cache.h"
#include "logging/logging.h"
#include "public/export_text.h"
#include "public/public_folder_cache.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/ascii_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <optional>

namespace {

constexpr char kRegistryEditorHeader[] = "REGEDIT4\r\n\r\n";

const RegKey* RootKeyNamed(const std::string& name)
{
    static const std::pair<const char*, const RegKey*> kRoots[] = {
        {"HKEY_CLASSES_ROOT", &RegKey::CLASSES_ROOT},   {"HKEY_CURRENT_CONFIG", &RegKey::CURRENT_CONFIG},
        {"HKEY_CURRENT_USER", &RegKey::CURRENT_USER},   {"HKEY_LOCAL_MACHINE", &RegKey::LOCAL_MACHINE},
        {"HKEY_USERS", &RegKey::USERS},
    };
    for (const auto& [rootName, key] : kRoots) {
        if (EqualsAsciiNoCase(name, rootName))
            return key;
    }
    return nullptr;
}

bool IsNamed(const export_text::Value& value, const char* name) { return EqualsNoCase(value.name, name); }

// How a client is to see an item: a folder as a public folder, a disc with its type's own text.
struct ExportedType {
    std::uint32_t itemType;
    std::optional<std::string> typeText;
};

ExportedType ExportedTypeOf(std::uint32_t itemType, const std::optional<std::string>& ownType)
{
    switch (itemType) {
    case SystemFolder:
    case UserFolder:
        return {PublicUserFolder, CommonText(IDS_TYPE_PUBLIC_FOLDER)};
    case MappedFolder:
        return {PublicMappedFolder, CommonText(IDS_TYPE_PUBLIC_AUTOMAP_FOLDER)};
    case CdRomDisc:
        return {CdRomDisc, CommonText(IDS_TYPE_CD_DVD)};
    case JazDisc:
        return {JazDisc, CommonText(IDS_TYPE_JAZ_DISK)};
    default:
        return {itemType, ownType};
    }
}

// The name of the folder of the cache root that a key below the cache belongs to.
std::string TopLevelFolderOf(const std::string& subPath)
{
    const std::string marker = CommonText(IDS_SUBKEY_CACHE) + "\\";
    for (size_t at = 0; at + marker.size() <= subPath.size(); ++at) {
        if (StartsWithAsciiNoCase(std::string_view(subPath).substr(at), marker)) {
            const std::string rest = subPath.substr(at + marker.size());
            return rest.substr(0, rest.find('\\'));
        }
    }
    return subPath;
}

void ShowExportError(const std::string& text) { ShowErrorPrompt(::GetActiveWindow(), text); }

bool IsAllDiscsFolder(const CacheItem& folder)
{
    return folder.FolderPath.empty() && folder.ItemType == SystemFolder &&
           EqualsNoCase(folder.Name, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
}

} // namespace

bool PublicFolderMgr::ExportOrRemoveFolder(const CacheItem& folder) const
{
    std::string location;
    if (!GetDataLocation(location))
        return true;   // public folders are not in use
    const UINT failureText = folder.PublicFolder ? IDS_ERR_EXPORT_FOLDER_FMT : IDS_ERR_REMOVE_EXPORTED_FOLDER_FMT;
    const auto fail = [&] {
        ShowExportError(FormatText(CommonText(failureText), folder.Name, location));
        return false;
    };
    if (!IsAcceptableFolderName(folder.Name)) {
        LogFormatted("PublicFolderMgr::UpdateFolder() - '%s' cannot name an export file\n", folder.Name);
        return fail();
    }
    const std::string file = JoinPath(location, folder.Name + CommonText(IDS_PUBLIC_FOLDER_FILE_EXT));
    try {
        if (folder.PublicFolder) {
            std::string text;
            if (!ExportFolder(folder, text))
                return false;   // the user was told why
            if (!WriteExportFile(file, text, false) || !UpdateIndexFile(file, folder, true))
                return fail();
            return true;
        }
        // Off the list first: a client that reads the index meanwhile does not look for the file.
        if (!UpdateIndexFile(file, folder, false))
            return fail();
        if (!::DeleteFileA(file.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
            return fail();
        return true;
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::UpdateFolder() - ", error);
        return fail();
    }
}

bool PublicFolderMgr::ExportFolder(const CacheItem& folder, std::string& text) const
{
    if (IsAllDiscsFolder(folder))
        return AppendAllDiscs(text);
    const std::string path = folder.FolderPath.empty() ? folder.Name : folder.FolderPath + "\\" + folder.Name;
    return AppendKey(CacheKeyFullName() + "\\" + path, text);
}

bool PublicFolderMgr::AppendKey(const std::string& fullKeyName, std::string& text)
{
    const auto slash = fullKeyName.find('\\');
    const std::string rootName = fullKeyName.substr(0, slash);
    const std::string subPath = slash == std::string::npos ? std::string() : fullKeyName.substr(slash + 1);
    const RegKey* root = RootKeyNamed(rootName);
    if (!root)
        return true;   // no key of the registry: nothing to write
    const RegKeyRead key = root->GetKeyRead(subPath);
    return WriteKeyToFile(&key, rootName, subPath, text);
}

bool PublicFolderMgr::WriteKeyToFile(const RegKeyRead* key, const std::string& root, const std::string& subPath,
                                     std::string& text)
{
    const std::string fullName = root + "\\" + subPath;
    if (fullName.size() >= kKeyNameLimit) {
        ShowExportError(FormatText(CommonText(IDS_ERR_EXPORT_PATH_TOO_LONG_FMT), TopLevelFolderOf(subPath)));
        return false;
    }
    WriteValuesToFile(key, fullName, text);
    std::vector<std::string> children;
    RegKeyEnumerator keys = key->GetKeyEnumerator();
    while (keys.Next())
        children.push_back(keys.GetName());
    for (const std::string& child : children) {
        if (!export_text::CanWriteKeyName(child)) {
            LogFormatted("PublicFolderMgr::WriteKeyToFile() - passed over the key '%s\\%s'\n", fullName, child);
            continue;
        }
        const RegKeyRead childKey = key->GetKeyRead(child);
        if (!WriteKeyToFile(&childKey, root, subPath + "\\" + child, text))
            return false;
    }
    return true;
}

void PublicFolderMgr::WriteValuesToFile(const RegKeyRead* key, const std::string& section, std::string& text)
{
    std::vector<export_text::Value> values;
    std::optional<std::string> ownType;
    RegValueEnumerator enumerator = key->GetValueEnumerator();
    while (enumerator.Next()) {
        export_text::Value value;
        value.name = enumerator.GetName();
        if (enumerator.GetType() == DWORDValue) {
            value.isNumber = true;
            value.number = enumerator.GetDWORDData();
        } else if (enumerator.GetType() == StringValue) {
            value.text = enumerator.GetStringData();
        } else {
            continue;   // the text carries strings and DWORDs only
        }
        if (IsNamed(value, "Type") && !value.isNumber)
            ownType = value.text;
        values.push_back(std::move(value));
    }

    export_text::Section written{section, {}};
    for (export_text::Value& value : values) {
        // A client's folder is never public on its own, and its creator is the administrator.
        if (IsNamed(value, "Type") || IsNamed(value, "PublicFolder") || IsNamed(value, "ItemCreator"))
            continue;
        if (IsNamed(value, "ItemType") && value.isNumber) {
            const ExportedType exported = ExportedTypeOf(value.number, ownType);
            value.number = exported.itemType;
            written.values.push_back(value);
            if (exported.typeText)
                written.values.push_back({"Type", false, 0, *exported.typeText});
            continue;
        }
        if (!export_text::CanWrite(value)) {
            LogFormatted("PublicFolderMgr::WriteValuesToFile() - passed over the value '%s' of '%s'\n", value.name,
                         section);
            continue;
        }
        written.values.push_back(std::move(value));
    }
    export_text::AppendSection(text, written);
}

bool PublicFolderMgr::AppendAllDiscs(std::string& text)
{
    const std::string allDiscs = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);
    const std::string folderKey = CacheKeyFullName() + "\\" + allDiscs;
    if (!AppendKey(folderKey, text))
        return false;
    // The discs live in the database: each gets a key of its own, as a disc of a folder has.
    Cache discs(CacheReadFolder, allDiscs);
    if (discs.GetStatus() == CacheNotInitialized) {
        Logging::OutToLogFile("PublicFolderMgr::SaveAllDiscsKey() - the discs could not be read\n");
        throw RegKeyException(ERROR_CANTREAD);   // an export without its discs would empty the clients' copies
    }
    for (CacheIterator it = discs.Begin(); it != discs.End(); ++it) {
        const CacheItem& disc = **it;
        std::string keyName;
        if (!Cache::GetUniqueName(keyName, 32))
            keyName = disc.Name;
        export_text::Section section{folderKey + "\\" + keyName, {}};
        if (section.keyName.size() >= kKeyNameLimit) {
            ShowExportError(FormatText(CommonText(IDS_ERR_ALL_DISCS_PATH_TOO_LONG_FMT), section.keyName, allDiscs));
            return false;
        }
        const export_text::Value values[] = {
            {"Name", false, 0, disc.Name},
            {"OriginalName", false, 0, disc.OriginalName},
            {"Location", false, 0, disc.Location},
            {"ItemType", true, static_cast<std::uint32_t>(disc.ItemType), {}},
            {"Type", false, 0, disc.Type},
            {"Comment", false, 0, disc.Comment},
        };
        for (const export_text::Value& value : values) {
            if (export_text::CanWrite(value))
                section.values.push_back(value);
        }
        export_text::AppendSection(text, section);
    }
    return true;
}

bool PublicFolderMgr::WriteExportFile(const std::string& file, const std::string& text, bool writeHeader)
{
    if (ReplaceFileContent(file, writeHeader ? kRegistryEditorHeader + text : text))
        return true;
    LogFormatted("PublicFolderMgr::SaveKey() - Could not create new reg file.\n");
    return false;
}

bool PublicFolderMgr::SaveKey(const std::string& fullKeyName, const std::string& file, bool writeHeader)
{
    if (!RootKeyNamed(fullKeyName.substr(0, fullKeyName.find('\\'))))
        return true;   // no key of the registry: nothing to write
    try {
        std::string text;
        return AppendKey(fullKeyName, text) && WriteExportFile(file, text, writeHeader);
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::SaveKey() - ", error);
        return false;
    }
}

bool PublicFolderMgr::SaveAllDiscsKey(const std::string& file, bool writeHeader)
{
    try {
        std::string text;
        return AppendAllDiscs(text) && WriteExportFile(file, text, writeHeader);
    } catch (const RegKeyException& error) {
        LogRegKeyException("PublicFolderMgr::SaveAllDiscsKey() - ", error);
        return false;
    }
}

std::string PublicFolderMgr::AddExtraBackslashes(const std::string& text) { return export_text::AddExtraBackslashes(text); }

std::string PublicFolderMgr::RemoveExtraBackslashes(const std::string& text)
{
    return export_text::RemoveExtraBackslashes(text);
}
