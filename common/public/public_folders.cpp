#include "public/public_folders.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_format.h"

#include <windows.h>

namespace {

constexpr int kProfileTextSize = 260;

std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& file)
{
    char buffer[kProfileTextSize] = {};
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                    sizeof buffer, file.c_str());
    return std::string(buffer, length);
}

} // namespace

bool PublicFolderMgr::GetIndexFilePath(std::string& path, const char* location)
{
    std::string directory;
    if (location) {
        directory = location;
    } else {
        try {
            RegKeyRead machine = RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath());
            const std::string valueName = CommonText(IDS_GLOBAL_DATA_LOCATION_VALUE);
            if (!machine.ValueExists(valueName))
                return false;
            directory = machine.QueryStringValue(valueName);
        } catch (const RegKeyException& error) {
            LogRegKeyException("ItemPropertySheet::UpdateIndexFileForPublicFolderMgrs() - ", error);
            return false;
        }
    }
    if (directory.empty())
        return false;
    path = directory + "\\" + CommonText(IDS_PUBLIC_INDEX_FILE_NAME);
    return true;
}

void PublicFolderMgr::GetDataFileInfo(std::string& version, std::string& clientSetupLocation) const
{
    version.clear();
    clientSetupLocation.clear();
    std::string indexFile;
    if (!GetIndexFilePath(indexFile))
        return;
    const std::string section = FormatText(CommonText(IDS_INDEX_SERVER_SECTION_FMT), BrandingText(IDS_BRAND_PRODUCT_TITLE));
    version = ReadProfileText(section, CommonText(IDS_INDEX_KEY_VERSION), indexFile);
    clientSetupLocation = ReadProfileText(section, CommonText(IDS_INDEX_KEY_CLIENT_SETUP_LOCATION), indexFile);
}
