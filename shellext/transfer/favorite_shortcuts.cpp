#include "transfer/favorite_shortcuts.h"

#include "logging/logging.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "text/ansi_text.h"
#include "text/text_format.h"
#include "transfer/item_replacement.h"
#include "ui/prompt.h"

void AddFavoriteShortcuts(INotifyNSServer& server, const std::string& destination, const std::vector<CacheItem>& items,
                          HWND owner)
{
    for (const CacheItem& original : items) {
        CacheItem shortcut(original);
        shortcut.Name = FormatText(CommonText(IDS_SHORTCUT_TO_FMT), original.Name);
        shortcut.FolderPath = destination;
        const auto create = [&]() -> HRESULT {
            if (!shortcut.InitStruct())
                return E_OUTOFMEMORY;
            return server.CreateItem(0, WideFromAnsi(destination).c_str(), shortcut.Record);
        };
        HRESULT result = create();
        if (result == NSS_S_NAME_EXISTS) {
            const TakenName taken{server, 0, destination, shortcut.Name, shortcut, original, IDS_CAPTION_ERROR_ADDING,
                                  owner};
            const std::optional<HRESULT> replaced = OfferToReplace(taken, create);
            if (!replaced)
                continue;
            result = *replaced;
        }
        if (result == NSS_S_ACCESS_DENIED || result == NSS_S_ADD_DENIED)
            ShowPrompt(owner, FormatText(CommonText(IDS_ERR_ADD_ACCESS_DENIED_FMT), shortcut.Name, destination),
                       CommonText(IDS_CAPTION_ERROR_ADDING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
        else if (result != S_OK)
            LogFormatted("Internal shortcut could not be added to: '%s'\n", destination);
        if (IsSearchModuleGone(result)) {
            ShowSearchModuleUnreachable(owner);
            return;   // the other items would fail the same way
        }
    }
}
