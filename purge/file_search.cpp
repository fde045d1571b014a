#include "file_search.h"

#include "purge_text.h"
#include "registry_access.h"
#include "res/clearbay_string_ids.h"

#include <windows.h>

#include <algorithm>
#include <optional>

namespace {

std::string Join(const std::string& parent, const std::string& child)
{
    return parent + "\\" + child;
}

std::optional<PathKind> KindOfExisting(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

// The found paths in order, each listed once whatever its case or spelling.
class FoundPathList {
public:
    explicit FoundPathList(const ProtectedFolders& protectedFolders) : protectedFolders_(protectedFolders) {}

    void Add(const std::string& path, PathKind kind)
    {
        if (path.empty())
            return;
        const std::string key = ComparisonKey(path);
        if (std::find(keys_.begin(), keys_.end(), key) != keys_.end())
            return;
        keys_.push_back(key);
        paths_.push_back({path, kind, protectedFolders_.Protects(path)});
    }

    void AddIfExisting(const std::string& path)
    {
        if (std::optional<PathKind> kind = KindOfExisting(path))
            Add(path, *kind);
    }

    std::vector<FoundPath> Take() { return std::move(paths_); }

private:
    static std::string ComparisonKey(const std::string& path)
    {
        std::string key = NormalisedAbsolutePath(path).value_or(path);
        ::CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
        return key;
    }

    const ProtectedFolders& protectedFolders_;
    std::vector<std::string> keys_;
    std::vector<FoundPath> paths_;
};

void AddInFolder(FoundPathList& list, const std::string& folder, const std::string& name)
{
    if (!folder.empty())
        list.AddIfExisting(Join(folder, name));
}

std::string WithoutTrailingBackslashes(std::string path)
{
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

void AddProgramFolders(FoundPathList& list)
{
    const std::string programPath = PurgeText(IDS_PROGRAM_PATH_VALUE);
    const std::string productInfo = PurgeText(IDS_PRODUCT_INFO_KEY);
    const std::string classes = PurgeText(IDS_CLSID_KEY);
    const std::string software = PurgeText(IDS_SOFTWARE_KEY);
    const std::pair<HKEY, std::string> recordingKeys[] = {
        {HKEY_CLASSES_ROOT, Join(Join(classes, PurgeText(IDS_CLASS_ID_1100)), productInfo)},
        {HKEY_CLASSES_ROOT, Join(Join(classes, PurgeText(IDS_CLASS_ID_1101)), productInfo)},
        {HKEY_LOCAL_MACHINE, Join(Join(software, PurgeText(IDS_VENDOR_KEY)), PurgeText(IDS_PRODUCT_KEY))},
        {HKEY_LOCAL_MACHINE, Join(Join(software, PurgeText(IDS_ZANDOR_VENDOR_KEY)), PurgeText(IDS_ZANDOR_PRODUCT_KEY))},
    };
    for (const auto& [root, keyPath] : recordingKeys)
        list.Add(ReadStringValue(root, keyPath, programPath), PathKind::Folder);
}

void AddShortcutsAndMenus(FoundPathList& list, const SearchFolders& folders)
{
    const std::string searchModuleLink = PurgeText(IDS_SEARCH_MODULE_LINK);
    AddInFolder(list, folders.startup, searchModuleLink);
    AddInFolder(list, folders.commonStartup, searchModuleLink);

    const std::string orvekMenu = PurgeText(IDS_ORVEK_MENU_FOLDER);
    const std::string zandorMenu = PurgeText(IDS_ZANDOR_MENU_FOLDER);
    const std::string vendorMenu = Join(PurgeText(IDS_ORVEK_VENDOR_FOLDER), orvekMenu);
    for (const std::string& menu : {vendorMenu, orvekMenu, zandorMenu}) {
        AddInFolder(list, folders.commonPrograms, menu);
        AddInFolder(list, folders.programs, menu);
    }

    const std::string desktopLinks[] = {PurgeText(IDS_NETWORK_STORAGE_LINK), PurgeText(IDS_ORVEK_PRODUCT_LINK),
                                        PurgeText(IDS_ZANDOR_PRODUCT_LINK)};
    for (const std::string* desktop : {&folders.commonDesktop, &folders.desktop}) {
        for (const std::string& link : desktopLinks)
            AddInFolder(list, *desktop, link);
    }
}

void AddInstallerFolder(FoundPathList& list)
{
    const std::string programFiles = WithoutTrailingBackslashes(ReadStringValue(
        HKEY_LOCAL_MACHINE, PurgeText(IDS_WINDOWS_CURRENT_VERSION_KEY), PurgeText(IDS_PROGRAM_FILES_DIR_VALUE)));
    if (!programFiles.empty())
        list.AddIfExisting(programFiles + PurgeText(IDS_INSTALLSHIELD_FOLDER) + PurgeText(IDS_INSTALLER_PRODUCT_CODE));
}

void AddClientSetupFolder(FoundPathList& list)
{
    const std::string location =
        ReadStringValue(HKEY_LOCAL_MACHINE, Join(PurgeText(IDS_SOFTWARE_KEY), PurgeText(IDS_VENDOR_KEY)),
                        PurgeText(IDS_CLIENT_SETUP_LOCATION_VALUE));
    if (!location.empty())
        list.AddIfExisting(location);
}

} // namespace

std::vector<FoundPath> SearchFilesAndFolders(const FolderLocations& locations)
{
    FoundPathList list(locations.protectedFolders);
    AddProgramFolders(list);
    AddShortcutsAndMenus(list, locations.search);
    AddInstallerFolder(list);
    AddClientSetupFolder(list);
    return list.Take();
}
