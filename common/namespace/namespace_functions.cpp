#include "namespace/namespace_functions.h"

#include "base/scoped_handle.h"
#include "com/com_apartment.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/file_name_text.h"
#include "settings/product_keys.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <cstdlib>
#include <optional>

using Microsoft::WRL::ComPtr;

namespace {

struct IconLocation {
    std::string file;
    int index = 0;
};

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder behind a special folder number (the desktop, say); empty when it has none.
std::string SpecialFolderPath(int csidl)
{
    LPITEMIDLIST location = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &location)) || !location)
        return {};
    char path[MAX_PATH] = {};
    const bool found = ::SHGetPathFromIDListA(location, path) != FALSE;
    ::CoTaskMemFree(location);
    return found ? std::string(path) : std::string();
}

// "file,index" as the registry keeps a default icon.
std::optional<IconLocation> ParseIconLocation(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    IconLocation location;
    const auto comma = text.find_last_of(',');
    location.file = comma == std::string::npos ? text : text.substr(0, comma);
    if (comma != std::string::npos)
        location.index = std::atoi(text.c_str() + comma + 1);
    if (location.file.size() >= 2 && location.file.front() == '"' && location.file.back() == '"')
        location.file = location.file.substr(1, location.file.size() - 2);
    return location.file.empty() ? std::nullopt : std::optional<IconLocation>(location);
}

// The icon registered for files of the target's extension.
std::optional<IconLocation> RegisteredIconOf(const std::string& target)
{
    const auto dot = target.find_last_of('.');
    if (dot == std::string::npos || target.find('\\', dot) != std::string::npos)
        return std::nullopt;
    const std::string extension = target.substr(dot);
    const std::string defaultIcon = CommonText(IDS_DEFAULT_ICON_KEY);
    if (!RegKey::CLASSES_ROOT.KeyExists(extension))
        return std::nullopt;
    std::string type;
    RegKey::CLASSES_ROOT.GetKeyRead(extension).TryQueryStringValue("", type);
    for (const std::string& key : {extension + "\\" + defaultIcon, type + "\\" + defaultIcon}) {
        if (key.front() == '\\' || !RegKey::CLASSES_ROOT.KeyExists(key))
            continue;
        std::string location;
        if (RegKey::CLASSES_ROOT.GetKeyRead(key).TryQueryStringValue("", location))
            return ParseIconLocation(location);
    }
    return std::nullopt;
}

// A launch object shows the icon of what it starts: the target's own, else the one registered
// for its kind of file, else that of the program that opens it.
std::optional<IconLocation> LaunchObjectIcon(const std::string& launchObjectPath)
{
    std::string target;
    try {
        const std::string key = ProductSubKeyPath(IDS_SUBKEY_CACHE) + "\\" + launchObjectPath;
        RegKey::CURRENT_USER.GetKeyRead(key).TryQueryStringValue("TargetFile", target);
    } catch (const RegKeyException& error) {
        LogRegKeyException("NamespaceFunctions::CreateShortcut(): Getting LO from cache - ", error);
        return std::nullopt;
    }
    if (target.empty())
        return std::nullopt;
    try {
        if (::ExtractIconA(nullptr, target.c_str(), static_cast<UINT>(-1)) != nullptr)
            return IconLocation{target, 0};
        if (auto registered = RegisteredIconOf(target))
            return registered;
    } catch (const RegKeyException& error) {
        LogRegKeyException("NamespaceFunctions::CreateShortcut() - extract icon ", error);
    }
    char program[MAX_PATH] = {};
    if (reinterpret_cast<INT_PTR>(::FindExecutableA(target.c_str(), nullptr, program)) > 32 && program[0])
        return IconLocation{program, 0};
    return std::nullopt;
}

// The branding library, whose icons stand for the item types.
std::optional<IconLocation> BrandIcon(ListItemType type)
{
    try {
        return IconLocation{ReadProgramPath() + "\\" + CommonText(IDS_BRANDING_DLL_NAME),
                            NamespaceFunctions::GetIconIndex(type)};
    } catch (const RegKeyException& error) {
        LogRegKeyException("NamespaceFunctions::CreateShortcut() - ", error);
        return std::nullopt;
    }
}

// A shell link to the item's identifier list, or else to targetPath with its arguments, with
// the icon of the item's kind; null when the shell cannot make one. The caller's thread is in
// an apartment.
ComPtr<IShellLinkA> MakeShortcut(const ITEMIDLIST* absoluteList, const char* targetPath, ListItemType type,
                                 const char* arguments, const char* launchObjectPath)
{
    ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.GetAddressOf())))) {
        Logging::OutToLogFile("NamespaceFunctions::CreateShortcut() - no shell link object\n");
        return nullptr;
    }
    const HRESULT target = absoluteList ? link->SetIDList(absoluteList) : link->SetPath(targetPath);
    if (FAILED(target))
        return nullptr;
    if (arguments)
        link->SetArguments(arguments);

    std::optional<IconLocation> icon;
    if (type == LaunchObject && launchObjectPath && *launchObjectPath)
        icon = LaunchObjectIcon(launchObjectPath);
    if (!icon)
        icon = BrandIcon(type);
    if (icon)
        link->SetIconLocation(icon->file.c_str(), icon->index);
    return link;
}

// The folders of a shell folder, each with its display name in its folder.
template <class Visit>
void ForEachSubFolder(IShellFolder& folder, Visit&& visit)
{
    ComPtr<IEnumIDList> children;
    if (folder.EnumObjects(nullptr, SHCONTF_FOLDERS, &children) != S_OK || !children)
        return;
    LPITEMIDLIST child = nullptr;
    ULONG fetched = 0;
    while (children->Next(1, &child, &fetched) == S_OK && child) {
        STRRET name{};
        char text[MAX_PATH] = {};
        if (SUCCEEDED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER, &name)))
            NamespaceFunctions::GetName(&name, child, text);
        const bool done = visit(child, std::string(text));
        ::CoTaskMemFree(child);
        child = nullptr;
        if (done)
            return;
    }
}

// The child of folder with that display name, or null.
LPITEMIDLIST FindSubFolder(IShellFolder& folder, const std::string& name)
{
    LPITEMIDLIST found = nullptr;
    ForEachSubFolder(folder, [&](LPITEMIDLIST child, const std::string& childName) {
        if (!EqualsNoCase(childName, name))
            return false;
        found = ::ILClone(child);
        return true;
    });
    return found;
}

} // namespace

std::string NamespaceFunctions::FreeShortcutPath(const std::string& folder, const std::string& itemName)
{
    const std::string extension = CommonText(IDS_SHORTCUT_FILE_EXT);
    // The name is made safe and short enough that the path, numbered " (n)" or not, stays a path.
    constexpr std::size_t kNumberRoom = 8;
    const std::size_t taken = folder.size() + 1 + extension.size() + kNumberRoom;
    const std::string name = SafeFileNamePart(itemName, taken < MAX_PATH ? MAX_PATH - 1 - taken : 0);
    std::string path = folder + "\\" + name + extension;
    for (int number = 2; FileExists(path); ++number)
        path = folder + "\\" + FormatText("%s (%d)", name, number) + extension;
    return path;
}

bool NamespaceFunctions::CreateShortcut(const char* itemName, const ITEMIDLIST* absoluteList, const char* targetPath,
                                        const char* folder, int csidl, ListItemType type, const char* arguments,
                                        const char* launchObjectPath)
{
    if (!itemName || (!absoluteList && !targetPath))
        return false;
    const ComApartment apartment;
    const std::string linkFolder = folder ? std::string(folder) : SpecialFolderPath(csidl);
    if (linkFolder.empty()) {
        Logging::OutToLogFile("NamespaceFunctions::CreateShortcut() - no folder for the shortcut\n");
        return false;
    }
    ComPtr<IPersistFile> file;
    const ComPtr<IShellLinkA> link = MakeShortcut(absoluteList, targetPath, type, arguments, launchObjectPath);
    if (!link || FAILED(link.As(&file)))
        return false;
    const std::string path = FreeShortcutPath(linkFolder, itemName);
    if (FAILED(file->Save(WideFromAnsi(path).c_str(), TRUE))) {
        LogFormatted("NamespaceFunctions::CreateShortcut() - could not save %s\n", path);
        return false;
    }
    return true;
}

bool NamespaceFunctions::WriteShortcut(const ITEMIDLIST* absoluteList, const char* targetPath, ListItemType type,
                                       const char* arguments, const char* launchObjectPath, IStream* stream)
{
    if (!stream || (!absoluteList && !targetPath))
        return false;
    const ComApartment apartment;
    ComPtr<IPersistStream> persist;
    const ComPtr<IShellLinkA> link = MakeShortcut(absoluteList, targetPath, type, arguments, launchObjectPath);
    if (!link || FAILED(link.As(&persist)))
        return false;
    if (FAILED(persist->Save(stream, TRUE))) {
        Logging::OutToLogFile("NamespaceFunctions::WriteShortcut() - could not write the shortcut\n");
        return false;
    }
    return true;
}

LPITEMIDLIST NamespaceFunctions::GetNamespacePidl(const char* rootName)
{
    if (!rootName || !*rootName)
        return nullptr;
    const ComApartment apartment;
    ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    LPITEMIDLIST drives = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) || !drives)
        return nullptr;
    LPITEMIDLIST result = nullptr;
    ComPtr<IShellFolder> myComputer;
    if (SUCCEEDED(desktop->BindToObject(drives, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(myComputer.GetAddressOf())))) {
        if (LPITEMIDLIST root = FindSubFolder(*myComputer.Get(), rootName)) {
            result = ::ILCombine(drives, root);
            ::CoTaskMemFree(root);
        }
    }
    ::CoTaskMemFree(drives);
    return result;
}

LPITEMIDLIST NamespaceFunctions::GetVirtualFolderPidl(const char* rootName, const std::string& folderPath)
{
    LPITEMIDLIST current = GetNamespacePidl(rootName);
    std::string rest = folderPath;
    while (current && !rest.empty()) {
        const std::string part = GetNextFolder(rest);
        if (part.empty())
            continue;
        ComPtr<IShellFolder> desktop;
        ComPtr<IShellFolder> folder;
        LPITEMIDLIST child = nullptr;
        if (SUCCEEDED(::SHGetDesktopFolder(&desktop)) &&
            SUCCEEDED(desktop->BindToObject(current, nullptr, IID_IShellFolder,
                                            reinterpret_cast<void**>(folder.GetAddressOf()))))
            child = FindSubFolder(*folder.Get(), part);
        LPITEMIDLIST next = child ? ::ILCombine(current, child) : nullptr;
        ::CoTaskMemFree(child);
        ::CoTaskMemFree(current);
        current = next;
    }
    return current;
}

void NamespaceFunctions::GetName(STRRET* displayName, const ITEMIDLIST* list, char* name)
{
    if (!name)
        return;
    name[0] = '\0';
    if (!displayName || FAILED(::StrRetToBufA(displayName, list, name, MAX_PATH))) {
        Logging::OutToLogFile("NamespaceFunctions::GetName failed\n");
        name[0] = '\0';
    }
}

std::string NamespaceFunctions::GetNextFolder(std::string& path)
{
    const auto slash = path.find('\\');
    std::string first = path.substr(0, slash);
    path = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    return first;
}

int NamespaceFunctions::GetIconIndex(ListItemType type)
{
    switch (static_cast<int>(type)) {
    case 0: return 2;
    case 1: return 4;
    case 2: return 8;
    case 3: return 9;
    case 4: return 0;
    case 5: return 6;
    case 6: return 10;
    case 8: return 12;
    case 9: return 15;
    case 10: return 16;
    case 11: return 17;
    case 12: return 19;
    default: return 13;
    }
}

void NamespaceFunctions::LaunchExplorer(const std::string& parameters)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(::GetForegroundWindow(), "open", "explorer.exe", parameters.c_str(), "", SW_SHOWNORMAL));
    if (result > 32)
        return;
    LogFormatted("LaunchExplorer() error: %d", static_cast<int>(result));
    ShowPrompt(nullptr, FormatText(CommonText(IDS_ERR_LAUNCH_EXPLORER_FMT), static_cast<int>(result)), ProductCaption(),
               MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}
