#include "settings/product_keys.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"

namespace {

// A branding text that a registry path is built from; an empty one would make the path name
// the root of the hive.
std::string RequiredBrandingText(UINT id, const char* member)
{
    std::string text = BrandingText(id);
    if (text.empty()) {
        // The log file lives in a folder named under the product key: the debugger hears it too.
        Logging::OutToLogFileAndWindow(std::string(member) +
                                       " - the branding library is not loaded: nothing is read or written\n");
        throw RegKeyException(kProductKeyUnknown);
    }
    return text;
}

} // namespace

bool IsProductKeyKnown() { return !BrandingText(IDS_BRAND_PRODUCT_KEY).empty(); }

std::string ProductKeyPath() { return RequiredBrandingText(IDS_BRAND_PRODUCT_KEY, "ProductKeyPath()"); }

std::string ProductSubKeyPath(unsigned int subKeyStringId) { return ProductKeyPath() + CommonText(subKeyStringId); }

std::string ProductInfoKeyPath()
{
    return CommonText(IDS_CLSID_KEY) + "\\" + RequiredBrandingText(IDS_BRAND_NAMESPACE_CLSID, "ProductInfoKeyPath()") +
           CommonText(IDS_SUBKEY_PRODUCT_INFO);
}

std::string ReadProgramPath()
{
    return RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath()).QueryStringValue(CommonText(IDS_PROGRAM_PATH_VALUE));
}
