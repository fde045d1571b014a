#include "product_keys.h"

#include "branding_ids.h"
#include "registry.h"
#include "res/string_ids.h"
#include "texts.h"

std::string ProductKeyPath() { return BrandingText(IDS_BRAND_PRODUCT_KEY); }

std::string ProductSubKeyPath(unsigned int subKeyStringId) { return ProductKeyPath() + CommonText(subKeyStringId); }

std::string ProductInfoKeyPath()
{
    return CommonText(IDS_CLSID_KEY) + "\\" + BrandingText(IDS_BRAND_NAMESPACE_CLSID) +
           CommonText(IDS_SUBKEY_PRODUCT_INFO);
}

std::string ReadProgramPath()
{
    return RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath()).QueryStringValue(CommonText(IDS_PROGRAM_PATH_VALUE));
}
