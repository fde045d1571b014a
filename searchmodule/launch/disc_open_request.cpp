#include "disc_open_request.h"

#include "item_at_path.h"
#include "logging/logging.h"
#include "mapping/disc_opening.h"
#include "mapping/mapping_settings.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"

HRESULT OpenDiscForClient(const std::string& itemPath)
{
    const std::optional<CacheItem> disc = FindItemAtPath(itemPath, [](const CacheItem& item) { return item.IsMedia(); });
    if (!disc) {
        LogFormatted("AutoMapMedia - no disc '%s'\n", itemPath.c_str());
        ShowErrorPrompt(nullptr, FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), itemPath));
        return NSS_S_NOT_FOUND;
    }
    return OpenDiscMapped(*disc, MappingSettingsOf(*disc), false) ? S_OK : S_FALSE;
}
