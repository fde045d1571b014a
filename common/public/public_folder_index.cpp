// The index file of the public folder data: read whole and written whole.
#include "public/public_folders.h"

#include "base/file_content.h"
#include "base/module_path.h"
#include "logging/logging.h"
#include "public/index_text.h"
#include "public/public_folder_cache.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_compare.h"
#include "text/text_format.h"

#include <optional>
#include <utility>

namespace {

std::string ServerSectionName()
{
    return FormatText(CommonText(IDS_INDEX_SERVER_SECTION_FMT), BrandingText(IDS_BRAND_PRODUCT_TITLE));
}

// The index's sections; none for a location that holds no index yet, nothing when the location
// cannot be reached or the index cannot be read.
std::optional<std::vector<index_text::Section>> ReadIndexSections(const std::string& path)
{
    // An empty folder answers "no file"; a location that is not there answers otherwise.
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(JoinPath(DirectoryOf(path), "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);
    const std::optional<std::string> text = ReadFileContent(path, index_text::kMaxTextBytes);
    if (!text) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return std::vector<index_text::Section>();
        LogFormatted("PublicFolderMgr::ReadIndexFile() - could not read '%s' (error %u)\n", path,
                     static_cast<unsigned>(error));
        return std::nullopt;
    }
    return index_text::Parse(*text);
}

bool SameEntry(const PublicFolderItem& a, const PublicFolderItem& b)
{
    return EqualsNoCase(a.Name, b.Name) && EqualsNoCase(a.Comment, b.Comment) && EqualsNoCase(a.File, b.File);
}

} // namespace

PublicFolderItem::PublicFolderItem(std::string name, std::string comment, std::string file)
    : Name(std::move(name)), Comment(std::move(comment)), File(std::move(file))
{
}

bool PublicFolderMgr::GetDataLocation(std::string& location)
{
    location.clear();
    try {
        const RegKeyRead machine = RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath());
        machine.TryQueryStringValue(CommonText(IDS_GLOBAL_DATA_LOCATION_VALUE), location);
    } catch (const RegKeyException& error) {
        LogRegKeyException("ItemPropertySheet::UpdateIndexFileForPublicFolderMgrs() - ", error);
        location.clear();
    }
    return !location.empty();
}

bool PublicFolderMgr::GetIndexFilePath(std::string& path, const char* location)
{
    std::string directory = location ? location : "";
    if (!location && !GetDataLocation(directory))
        return false;
    if (directory.empty())
        return false;
    path = JoinPath(directory, CommonText(IDS_PUBLIC_INDEX_FILE_NAME));
    return true;
}

bool PublicFolderMgr::ReadIndexFile(const std::string* excluded, std::vector<PublicFolderItem>& folders,
                                    PublicFolderItem* found, const char* location) const
{
    folders.clear();
    std::string path;
    if (!GetIndexFilePath(path, location))
        return false;
    const auto sections = ReadIndexSections(path);
    if (!sections)
        return false;
    const std::string serverSection = ServerSectionName();
    const std::string commentKey = CommonText(IDS_INDEX_KEY_COMMENT);
    const std::string fileKey = CommonText(IDS_INDEX_KEY_FILE);
    for (const index_text::Section& section : *sections) {
        if (EqualsNoCase(section.name, serverSection))
            continue;
        // A folder name becomes a key of the user's cache and a file name: one that could name
        // another key or climb out of a folder is nobody's folder.
        if (!IsAcceptableFolderName(section.name)) {
            LogFormatted("PublicFolderMgr::ReadIndexFile() - passed over the entry '%s'\n", section.name);
            continue;
        }
        PublicFolderItem entry(section.name, index_text::ValueOf(section, commentKey),
                               index_text::ValueOf(section, fileKey));
        if (excluded && EqualsNoCase(entry.Name, *excluded)) {
            if (found)
                *found = std::move(entry);
            continue;
        }
        folders.push_back(std::move(entry));
    }
    return true;
}

int PublicFolderMgr::GetPublicFolders(std::vector<PublicFolderItem>& folders, const char* location) const
{
    folders.clear();
    if (!ReadIndexFile(nullptr, folders, nullptr, location))
        return -1;
    return static_cast<int>(folders.size());
}

void PublicFolderMgr::GetDataFileInfo(std::string& version, std::string& clientSetupLocation) const
{
    version.clear();
    clientSetupLocation.clear();
    std::string path;
    if (!GetIndexFilePath(path))
        return;
    const auto sections = ReadIndexSections(path);
    if (!sections)
        return;
    const std::string serverSection = ServerSectionName();
    for (const index_text::Section& section : *sections) {
        if (EqualsNoCase(section.name, serverSection)) {
            version = index_text::ValueOf(section, CommonText(IDS_INDEX_KEY_VERSION));
            clientSetupLocation = index_text::ValueOf(section, CommonText(IDS_INDEX_KEY_CLIENT_SETUP_LOCATION));
            return;
        }
    }
}

bool PublicFolderMgr::WriteIndexFile(const std::vector<PublicFolderItem>& folders) const
{
    std::string path;
    if (!GetIndexFilePath(path))
        return false;
    std::string version = "0.00";
    try {
        RegKey::CLASSES_ROOT.GetKeyRead(ProductInfoKeyPath()).TryQueryStringValue(CommonText(IDS_VERSION_VALUE), version);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::WriteIndexFile(): Check for installed version - ", error);
    }
    std::string clientSetupLocation;
    try {
        RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath())
            .TryQueryStringValue(CommonText(IDS_CLIENT_SETUP_LOCATION_VALUE), clientSetupLocation);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::WriteIndexFile(): Get client setup location - ", error);
    }

    std::vector<index_text::Section> sections;
    sections.push_back({ServerSectionName(),
                        {{CommonText(IDS_INDEX_KEY_VERSION), version},
                         {CommonText(IDS_INDEX_KEY_CLIENT_SETUP_LOCATION), clientSetupLocation}}});
    for (const PublicFolderItem& folder : folders) {
        sections.push_back({folder.Name,
                            {{CommonText(IDS_INDEX_KEY_COMMENT), folder.Comment},
                             {CommonText(IDS_INDEX_KEY_FILE), folder.File}}});
    }
    // Whole or not at all: a client reading meanwhile finds the old list or the new.
    if (ReplaceFileContent(path, index_text::Format(sections)))
        return true;
    LogFormatted("PublicFolderMgr::WriteIndexFile() - could not write '%s' (error %u)\n", path,
                 static_cast<unsigned>(::GetLastError()));
    return false;
}

bool PublicFolderMgr::UpdateIndexFile(const std::string& file, const CacheItem& folder, bool add) const
{
    std::vector<PublicFolderItem> folders;
    PublicFolderItem current;
    if (!ReadIndexFile(&folder.Name, folders, &current, nullptr))
        return false;
    const bool listed = !current.Name.empty();
    const PublicFolderItem entry(folder.Name, folder.Comment, file);
    if (add) {
        if (listed && SameEntry(current, entry))
            return true;
        folders.push_back(entry);
    } else if (!listed) {
        return true;
    }
    return WriteIndexFile(folders);
}
