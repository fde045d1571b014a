#include "transfer/copy_move.h"

#include "logging/logging.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "transfer/fixed_items.h"
#include "transfer/item_replacement.h"
#include "transfer/transfer_items.h"
#include "ui/prompt.h"

#include <oleidl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// MoveItem's operations.
constexpr LONG kOperationCopy = 1;
constexpr LONG kOperationMove = 2;
// A search module that takes no name at all must not keep us asking for ever.
constexpr int kMostCopyNames = 1000;

void ShowStop(const std::string& text, UINT captionId)
{
    ShowPrompt(::GetActiveWindow(), text, CommonText(captionId), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

// Each operation answers whether the item was done.
class ItemTransfer {
public:
    ItemTransfer(INotifyNSServer& server, const CopyMoveTarget& target) : server_(server), target_(target) {}

    bool Link(const CacheItem& item)
    {
        CacheItem shortcut(item);
        shortcut.Name = FormatText(CommonText(IDS_SHORTCUT_TO_FMT), item.Name);
        shortcut.FolderPath = target_.path;
        return Place([&] { return CreateItem(shortcut); }, item, shortcut, kOperationCopy);
    }

    bool CopyOrMove(const CacheItem& item, bool move)
    {
        if (EqualsNoCase(item.FolderPath, target_.path)) {
            if (!move)
                return CopyWithinFolder(item);
            ShowStop(FormatText(CommonText(IDS_ERR_MOVE_SAME_FOLDER_FMT), item.Name), IDS_CAPTION_ERROR_PASTING);
            return false;
        }
        const LONG operation = move ? kOperationMove : kOperationCopy;
        return Place([&] { return MoveItem(item, std::string(), operation); }, item, item, operation);
    }

private:
    HRESULT CreateItem(CacheItem& shortcut)
    {
        if (!shortcut.InitStruct()) {
            Logging::OutToLogFile("InitStruct() - CreateItem()\n");
            return E_FAIL;
        }
        const HRESULT result =
            server_.CreateItem(target_.clientId, WideFromAnsi(target_.path).c_str(), shortcut.Record);
        if (FAILED(result))
            LogFailedServerCall("NSDropTarget::CopyMove", "Move/CreateItem()", result);
        return result;
    }

    HRESULT MoveItem(const CacheItem& item, const std::string& newName, LONG operation)
    {
        CacheItem record(item);
        if (!record.InitStruct()) {
            Logging::OutToLogFile("InitStruct() - MoveItem()\n");
            return E_FAIL;
        }
        const HRESULT result = server_.MoveItem(target_.clientId, WideFromAnsi(target_.path).c_str(), record.Record,
                                                WideFromAnsi(newName).c_str(), operation);
        if (FAILED(result))
            LogFailedServerCall("NSDropTarget::CopyMove", "MoveItem()", result);
        return result;
    }

    // Runs place; a name taken in the target is replaced when the user wants it so.
    template <class Operation>
    bool Place(Operation place, const CacheItem& item, const CacheItem& placed, LONG operation)
    {
        HRESULT result = place();
        if (result == NSS_S_NAME_EXISTS) {
            const TakenName taken{server_,
                                  target_.clientId,
                                  target_.path,
                                  placed.Name,
                                  placed,
                                  item,
                                  operation == kOperationMove ? UINT{IDS_CAPTION_ERROR_MOVING}
                                                              : UINT{IDS_CAPTION_ERROR_COPYING},
                                  ::GetActiveWindow()};
            const std::optional<HRESULT> replaced = OfferToReplace(taken, place);
            if (!replaced)
                return false;
            result = *replaced;
        }
        return Answered(result, item, operation);
    }

    // "Copy of name", then "Copy (2) of name" and on until the search module takes the name.
    bool CopyWithinFolder(const CacheItem& item)
    {
        for (int counter = 1; counter <= kMostCopyNames; ++counter) {
            const std::string name = counter == 1 ? CommonText(IDS_COPY_OF_PREFIX) + item.Name
                                                  : FormatText(CommonText(IDS_COPY_N_OF_FMT), counter, item.Name);
            const HRESULT result = MoveItem(item, name, kOperationCopy);
            if (result != NSS_S_NAME_EXISTS)
                return Answered(result, item, kOperationCopy);
        }
        LogFormatted("NSDropTarget::CopyMove | no free name for a copy of '%s'\n", item.Name);
        return false;
    }

    // Tells the user what the search module's answer means (a failure of the call itself is
    // only logged); true when the item was done.
    static bool Answered(HRESULT result, const CacheItem& item, LONG operation)
    {
        if (FAILED(result))
            return false;
        switch (result) {
        case S_OK:
            return true;
        case NSS_S_TARGET_IS_SUBFOLDER:
            if (operation == kOperationMove)
                ShowStop(FormatText(CommonText(IDS_ERR_MOVE_INTO_SUBFOLDER_FMT), item.Name), IDS_CAPTION_ERROR_MOVING);
            else
                ShowStop(FormatText(CommonText(IDS_ERR_COPY_INTO_SUBFOLDER_FMT), item.Name), IDS_CAPTION_ERROR_COPYING);
            return false;
        case NSS_S_NOT_FOUND: {
            std::string where = BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\";
            if (!item.FolderPath.empty())
                where += item.FolderPath + "\\";
            ShowStop(FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), where + item.Name), IDS_CAPTION_ERROR_FINDING);
            return false;
        }
        case NSS_S_ACCESS_DENIED:
        case NSS_S_ADD_DENIED:
            ShowStop(FormatText(CommonText(IDS_ERR_PASTE_ACCESS_DENIED_FMT), item.Name), IDS_CAPTION_ERROR_PASTING);
            return false;
        default:
            ShowStop(FormatText(CommonText(IDS_ERR_COPY_MOVE_UNEXPECTED_FMT), item.Name), IDS_CAPTION_ERROR_ADDING);
            return false;
        }
    }

    INotifyNSServer& server_;
    const CopyMoveTarget& target_;
};

} // namespace

DWORD CopyMoveItems(const TransferItemList& items, DWORD effect, const CopyMoveTarget& target)
{
    if (effect != DROPEFFECT_LINK && effect != DROPEFFECT_COPY && effect != DROPEFFECT_MOVE)
        return DROPEFFECT_NONE;
    ComPtr<INotifyNSServer> server(target.server);
    if (!server && !GetLocalServerInterface(IID_INotifyNSServer, reinterpret_cast<void**>(server.GetAddressOf()))) {
        Logging::OutToLogFile("NSDropTarget::CopyMove | Can't continue without a INotifyNSServer");
        return DROPEFFECT_NONE;
    }
    ItemTransfer transfer(*server.Get(), target);
    bool anyDone = false;
    for (const TransferItem& transferred : items.Items) {
        CacheItem item = ToCacheItem(transferred);
        if (item.FolderPath.empty())
            item.FolderPath = items.SourceFolderPath;
        if (StaysInPlace(item)) {
            LogFormatted("NSDropTarget::CopyMove | '%s' stays where it is\n", item.Name);
            continue;
        }
        const bool done = effect == DROPEFFECT_LINK ? transfer.Link(item)
                                                    : transfer.CopyOrMove(item, effect == DROPEFFECT_MOVE);
        anyDone = anyDone || done;
    }
    return anyDone ? effect : DROPEFFECT_NONE;
}
