// Public folders against raw access to the same stores, measured side by side in one run:
//  1. the export of a public folder of 1,000 items, against reading the same keys with the raw
//     registry calls and writing the same text with one fwrite; and the writing of that text alone
//     (a file beside the export, then renamed over it) against the one fwrite;
//  2. the import of that export file, against writing the same keys and values with
//     RegCreateKeyEx and RegSetValueEx directly.
#include "base/file_content.h"
#include "public/export_text.h"
#include "public/public_folders.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include "side_by_side.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace side_by_side;

constexpr int kItems = 1000;
const std::string kCacheKey = std::string(kProductKey) + "\\Cache";

void MakePublicFolder()
{
    RegKey team = RegKey::CURRENT_USER.CreateKey(kCacheKey + "\\Team");
    team.SetStringValue("Name", "Team");
    team.SetStringValue("OriginalName", "Team");
    team.SetDWORDValue("ItemType", UserFolder);
    team.SetStringValue("Comment", "Discs of the team");
    team.SetDWORDValue("HasSubFolders", 0);
    team.SetDWORDValue("PublicFolder", 1);
    for (int i = 0; i < kItems; ++i) {
        CacheItem disc;
        disc.Name = disc.OriginalName = "DISC" + std::to_string(i);
        disc.Location = "\\\\SERVER" + std::to_string(i % 20) + "\\DISC" + std::to_string(i);
        disc.ItemType = CdRomDisc;
        disc.Type = "CD/DVD";
        disc.Comment = "Share comment of disc " + std::to_string(i);
        char key[16];
        std::snprintf(key, sizeof key, "d%04d", i);
        disc.WriteDataSet1ToRegistry(&team, key);
    }
}

CacheItem PublicFolder()
{
    CacheItem folder;
    folder.Name = folder.OriginalName = "Team";
    folder.ItemType = UserFolder;
    folder.Comment = "Discs of the team";
    folder.PublicFolder = 1;
    return folder;
}

void WriteWithOneFwrite(const std::string& file, const std::string& text)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
}

// What an export reads, read with the registry's own calls: every value of every key below.
void WalkRaw(HKEY key)
{
    char name[256];
    BYTE data[1024];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (::RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        ::RegOpenKeyExA(key, name, 0, KEY_READ, &child);
        WalkRaw(child);
        ::RegCloseKey(child);
    }
}

void BenchExport(const TempDirectory& data)
{
    const PublicFolderMgr publisher;
    const CacheItem folder = PublicFolder();
    publisher.ExportOrRemoveFolder(folder);
    const std::string text = ReadWholeFile(data.File("Team.pfr"));
    const std::string rawFile = data.File("raw.pfr");
    // Reading the folder's keys is most of an export (a registry call for every value, where
    // writing the text is one): the whole export is measured against the same reading done raw.
    Report("export of a public folder of 1,000 items (raw read+fwrite)",
           MeasureSideBySide([&] { publisher.ExportOrRemoveFolder(folder); },
                             [&] {
                                 HKEY team = nullptr;
                                 ::RegOpenKeyExA(HKEY_CURRENT_USER, (kCacheKey + "\\Team").c_str(), 0, KEY_READ, &team);
                                 WalkRaw(team);
                                 ::RegCloseKey(team);
                                 WriteWithOneFwrite(rawFile, text);
                             }),
           2.0);
    Report("its text written beside it and renamed (one fwrite)",
           MeasureSideBySide([&] { ReplaceFileContent(data.File("Team.pfr"), text); },
                             [&] { WriteWithOneFwrite(rawFile, text); }),
           2.0);
}

void DeleteCacheKey(const std::string& name)
{
    const RegKey cache = RegKey::CURRENT_USER.GetKey(kCacheKey);
    if (cache.KeyExists(name))
        cache.DeleteKey(name);
}

void BenchImport(const TempDirectory& data)
{
    // The client's cache: the administrator's own folder is not there.
    DeleteCacheKey("Team");
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetDWORDValue("Installed Version", 0);
    const PublicFolderItem entry("Team", "Discs of the team", data.File("Team.pfr"));
    const export_text::ParsedText parsed = export_text::Parse(ReadWholeFile(entry.File));
    const std::string prefix = "HKEY_CURRENT_USER\\" + kCacheKey + "\\";

    const auto import = [&] {
        DeleteCacheKey("Team");
        return Milliseconds([&] { PublicFolderMgr().ImportFolder(entry); });
    };
    const auto raw = [&] {
        DeleteCacheKey("Raw");
        return Milliseconds([&] {
            for (const export_text::Section& section : parsed.sections) {
                const std::string path = kCacheKey + "\\Raw" + section.keyName.substr(prefix.size() + 4);
                HKEY key = nullptr;
                ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
                for (const export_text::Value& value : section.values) {
                    const DWORD number = value.number;
                    if (value.isNumber)
                        ::RegSetValueExA(key, value.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                         sizeof number);
                    else
                        ::RegSetValueExA(key, value.name.c_str(), 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(value.text.c_str()),
                                         static_cast<DWORD>(value.text.size() + 1));
                }
                ::RegCloseKey(key);
            }
        });
    };
    Report("import of it (RegSetValueEx of its keys and values)", MeasureSelfTimed(import, raw), 2.0);
}

} // namespace

int main()
{
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory data;
    if (!branding.IsLoaded()) {
        std::fprintf(stderr, "public_folder_bench: Skinset.dll not found beside the program\n");
        return 1;
    }
    RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
    machine.SetDWORDValue("Installed Version", 387);
    machine.SetStringValue("Global Data Location", data.Path());
    RegKey::CURRENT_USER.CreateKey(kCacheKey).SetDWORDValue("ItemType", RootFolder);
    MakePublicFolder();
    BenchExport(data);
    BenchImport(data);
    return 0;
}
