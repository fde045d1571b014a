#include "resources/resources.h"

#include "base/module_path.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <objbase.h>

#include <cstdlib>
#include <vector>

HINSTANCE g_hBrandingInstance = nullptr;
HINSTANCE g_hBasaltInstance = nullptr;

namespace {

// Where the installer records the product; read before the branding library (which names
// everything else) can be loaded, so it cannot come from there.
constexpr char kProductRegistrationKey[] =
    "CLSID\\{3E73FA00-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo";
constexpr char kProductTitleValue[] = "Product Title";

constexpr int kStringBufferSize = 256;

std::string ReadProductRegistration(const char* valueName)
{
    try {
        return RegKey::CLASSES_ROOT.GetKeyRead(kProductRegistrationKey).QueryStringValue(valueName);
    } catch (const RegKeyException&) {
        return {};
    }
}

std::string SystemErrorText(DWORD code)
{
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : std::string();
    ::LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

HINSTANCE TryLoadFrom(const std::string& directory, const std::string& fileName)
{
    const std::string path = JoinPath(directory, fileName);
    HINSTANCE instance = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (instance) {
        Logging::OutToLogFile("Loaded dll successfully.\n");
        return instance;
    }
    const DWORD error = ::GetLastError();
    Logging::OutToLogFile(FormatText("Error loading dll from path '%s'\n\t%d: '%s'\n", path,
                                     static_cast<int>(error), SystemErrorText(error)));
    return nullptr;
}

// Picks the image of the wanted size from an icon group and makes an icon of it.
HICON IconFromGroup(HINSTANCE instance, UINT groupId, int size)
{
    HRSRC groupInfo = ::FindResourceA(instance, MAKEINTRESOURCEA(groupId), RT_GROUP_ICON);
    HGLOBAL group = groupInfo ? ::LoadResource(instance, groupInfo) : nullptr;
    auto* directory = group ? static_cast<BYTE*>(::LockResource(group)) : nullptr;
    if (!directory)
        return nullptr;
    const int iconId = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC imageInfo = iconId ? ::FindResourceA(instance, MAKEINTRESOURCEA(iconId), RT_ICON) : nullptr;
    HGLOBAL image = imageInfo ? ::LoadResource(instance, imageInfo) : nullptr;
    auto* bits = image ? static_cast<BYTE*>(::LockResource(image)) : nullptr;
    if (!bits)
        return nullptr;
    return ::CreateIconFromResourceEx(bits, ::SizeofResource(instance, imageInfo), TRUE, 0x30000,
                                      size, size, LR_DEFAULTCOLOR);
}

} // namespace

HINSTANCE ExternalResMgr::LoadExternalDLL(const std::string& fileName, const std::string& callerName)
{
    const std::string basaltDirectory = DirectoryOf(ModuleFileName(g_hBasaltInstance));
    if (HINSTANCE instance = TryLoadFrom(basaltDirectory, fileName))
        return instance;

    const std::string installDirectory = ReadProductRegistration("Program Path");
    if (!installDirectory.empty()) {
        if (HINSTANCE instance = TryLoadFrom(installDirectory, fileName))
            return instance;
    }

    std::string triedDirectories = basaltDirectory;
    if (!installDirectory.empty() && lstrcmpiA(installDirectory.c_str(), basaltDirectory.c_str()) != 0)
        triedDirectories += "; " + installDirectory;

    const std::string caption = FormatText(GetStringFromCommon(IDS_UNABLE_TO_LOCATE_DLL_CAPTION), callerName);
    const std::string text = FormatText(GetStringFromCommon(IDS_UNABLE_TO_LOCATE_DLL_TEXT_FMT), fileName,
                                        triedDirectories, ReadProductRegistration(kProductTitleValue));
    ShowPrompt(::GetActiveWindow(), text, caption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return nullptr;
}

std::string ExternalResMgr::GetString(HINSTANCE instance, UINT id)
{
    if (!instance)
        return {};
    char buffer[kStringBufferSize];
    const int length = ::LoadStringA(instance, id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length) : std::string();
}

std::string ExternalResMgr::GetStringFromCommon(UINT id) { return GetString(g_hBasaltInstance, id); }

int ExternalResMgr::GetEnum(HINSTANCE instance, UINT id)
{
    const std::string text = GetString(instance, id);
    return text.empty() ? -1 : std::atoi(text.c_str());
}

int ExternalResMgr::GetFlag(HINSTANCE instance, UINT id)
{
    const int value = GetEnum(instance, id);
    return value == -1 ? 0 : value;
}

bool ExternalResMgr::GetCLSID(HINSTANCE instance, UINT id, GUID& clsid)
{
    const std::string text = GetString(instance, id);
    if (text.empty())
        return false;
    std::vector<wchar_t> wide(text.size() + 1);
    if (!::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size())))
        return false;
    return SUCCEEDED(::CLSIDFromString(wide.data(), &clsid));
}

bool ExternalResMgr::GetIconHandle(HINSTANCE instance, UINT iconGroupId, bool large, HICON& icon)
{
    if (!instance)
        return false;
    icon = IconFromGroup(instance, iconGroupId, large ? 32 : 16);
    return icon != nullptr;
}

bool ExternalResMgr::GetBitmapHandleFromCommon(UINT bitmapId, HBITMAP& bitmap)
{
    bitmap = ::LoadBitmapA(g_hBasaltInstance, MAKEINTRESOURCEA(bitmapId));
    return bitmap != nullptr;
}
