#include "display_name.h"

#include "pidl/pidl_mgr.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"

namespace {

// The flags of the setting lie at offset 4 of its record; bit 0 there is "full path in title".
constexpr DWORD kFlagsOffset = 4;
constexpr DWORD kLongestSetting = 12;

} // namespace

bool FullPathInTitle()
{
    BYTE setting[kLongestSetting] = {};
    DWORD size = sizeof setting;
    DWORD type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, CommonText(IDS_KEY_EXPLORER_CABINET_STATE).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return true;
    const LONG read = ::RegQueryValueExA(key, CommonText(IDS_CABINET_SETTINGS_VALUE).c_str(), nullptr, &type, setting, &size);
    ::RegCloseKey(key);
    // A record too short to hold the flags says nothing about them.
    if (read != ERROR_SUCCESS || size <= kFlagsOffset)
        return true;
    return (setting[kFlagsOffset] & 1) != 0;
}

HRESULT DisplayNameOf(LPCITEMIDLIST item, SHGDNF flags, std::string& name)
{
    if (flags & SHGDN_FORPARSING)
        return E_NOTIMPL;
    if (!PidlMgr::IsValid(item))
        return E_INVALIDARG;
    std::string itemName;
    PidlMgr::GetItemName(item, itemName);
    switch (flags & 0xFF) {
    case SHGDN_INFOLDER:
        name = itemName;
        return S_OK;
    case SHGDN_NORMAL:
        break;
    default:
        return E_INVALIDARG;
    }
    if (!FullPathInTitle()) {
        name = itemName;
        return S_OK;
    }
    std::string path;
    PidlMgr::GetItemPath(item, path);
    name = BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\" + (path.empty() ? "" : path + "\\") + itemName;
    return S_OK;
}
