#include "mapping/replacement_warning.h"

#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"

namespace ReplacementWarning {

bool ShouldAsk(bool warnBeforeReplace)
{
    if (!warnBeforeReplace)
        return false;
    const std::string valueName = CommonText(IDS_AUTOMAP_WARNING_VALUE);
    if (!RegKey::CURRENT_USER.KeyExists(ProductKeyPath()))
        return true;
    RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(ProductKeyPath());
    return !user.ValueExists(valueName) || user.QueryDWORDValue(valueName) != 0;
}

void SwitchOff()
{
    RegKey::CURRENT_USER.CreateKey(ProductKeyPath()).SetDWORDValue(CommonText(IDS_AUTOMAP_WARNING_VALUE), 0);
}

} // namespace ReplacementWarning
