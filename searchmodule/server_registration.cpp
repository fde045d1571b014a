#include "server_registration.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"

#include <objbase.h>

namespace {

std::string ClassKeyPath(const CLSID& clsid)
{
    wchar_t text[64] = {};
    ::StringFromGUID2(clsid, text, 64);
    char narrow[64] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return std::string("CLSID\\") + narrow;
}

} // namespace

namespace ServerRegistration {

bool Register(const CLSID& clsid, const std::string& programPath)
{
    try {
        RegKey classKey = RegKey::CLASSES_ROOT.CreateKey(ClassKeyPath(clsid));
        classKey.SetStringValue("", BrandingText(IDS_BRAND_PRODUCT_TITLE) + " " +
                                        CommonText(IDS_SEARCH_MODULE_EXE_NAME));
        RegKey server = classKey.CreateKey("LocalServer32");
        server.SetStringValue("", "\"" + programPath + "\"");
        return true;
    } catch (const RegKeyException& error) {
        LogRegKeyException("ServerRegistration::Register() - ", error);
        return false;
    }
}

bool Unregister(const CLSID& clsid)
{
    try {
        const std::string path = ClassKeyPath(clsid);
        if (RegKey::CLASSES_ROOT.KeyExists(path))
            RegKey::CLASSES_ROOT.DeleteKey(path);
        return true;
    } catch (const RegKeyException& error) {
        LogRegKeyException("ServerRegistration::Unregister() - ", error);
        return false;
    }
}

} // namespace ServerRegistration
