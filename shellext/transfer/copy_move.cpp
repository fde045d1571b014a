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

class ItemTransfer {
public:
    ItemTransfer(INotifyNSServer& server, const CopyMoveTarget& target) : server_(server), target_(target) {}

    void Link(const CacheItem& item)
    {
        CacheItem shortcut(item);
        shortcut.Name = FormatText(CommonText(IDS_SHORTCUT_TO_FMT), item.Name);
        shortcut.FolderPath = target_.path;
        for (;;) {
            if (!shortcut.InitStruct()) {
                Logging::OutToLogFile("InitStruct() - CreateItem()\n");
                return;
            }
            const HRESULT result =
                server_.CreateItem(target_.clientId, WideFromAnsi(target_.path).c_str(), shortcut.Record);
            if (FAILED(result)) {
                LogFailedServerCall("NSDropTarget::CopyMove", "Move/CreateItem()", result);
                return;
            }
            if (!Answered(result, shortcut, shortcut.Name, kOperationCopy))
                return;
        }
    }

    void CopyOrMove(const CacheItem& item, bool move)
    {
        if (EqualsNoCase(item.FolderPath, target_.path)) {
            if (move)
                ShowStop(FormatText(CommonText(IDS_ERR_MOVE_SAME_FOLDER_FMT), item.Name), IDS_CAPTION_ERROR_PASTING);
            else
                CopyWithinFolder(item);
            return;
        }
        const LONG operation = move ? kOperationMove : kOperationCopy;
        for (;;) {
            const HRESULT result = MoveItem(item, std::string(), operation);
            if (FAILED(result) || !Answered(result, item, item.Name, operation))
                return;
        }
    }

private:
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

    // "Copy of name", then "Copy (2) of name" and on until the search module takes the name.
    void CopyWithinFolder(const CacheItem& item)
    {
        for (int counter = 1; counter <= kMostCopyNames; ++counter) {
            const std::string name = counter == 1 ? CommonText(IDS_COPY_OF_PREFIX) + item.Name
                                                  : FormatText(CommonText(IDS_COPY_N_OF_FMT), counter, item.Name);
            const HRESULT result = MoveItem(item, name, kOperationCopy);
            if (FAILED(result))
                return;
            if (result != NSS_S_NAME_EXISTS) {
                Answered(result, item, name, kOperationCopy);
                return;
            }
        }
        LogFormatted("NSDropTarget::CopyMove | no free name for a copy of '%s'\n", item.Name);
    }

    // Tells the user what the search module's answer means; true when the operation is to be
    // tried again (the item of that name in the target was replaced).
    bool Answered(HRESULT result, const CacheItem& item, const std::string& nameThere, LONG operation)
    {
        switch (result) {
        case S_OK:
            return false;
        case NSS_S_NAME_EXISTS:
            if (ShowPrompt(::GetActiveWindow(), FormatText(CommonText(IDS_ASK_REPLACE_ITEM_FMT), nameThere),
                           CommonText(IDS_CAPTION_CONFIRM_REPLACE),
                           MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) != IDYES)
                return false;
            return DeleteExisting(item, nameThere);
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

    bool DeleteExisting(const CacheItem& item, const std::string& nameThere)
    {
        CacheItem existing(item);
        existing.Name = nameThere;
        existing.FolderPath = target_.path;
        if (!existing.InitStruct()) {
            Logging::OutToLogFile("InitStruct() - DeleteItem()\n");
            return false;
        }
        const HRESULT result =
            server_.DeleteItem(target_.clientId, WideFromAnsi(target_.path).c_str(), existing.Record);
        if (result != S_OK) {
            LogFailedServerCall("NSDropTarget::CopyMove", "DeleteItem()", result);
            return false;   // still there: asking again would go round in circles
        }
        return true;
    }

    INotifyNSServer& server_;
    const CopyMoveTarget& target_;
};

} // namespace

bool CopyMoveItems(const TransferItemList& items, DWORD effect, const CopyMoveTarget& target)
{
    if (effect != DROPEFFECT_LINK && effect != DROPEFFECT_COPY && effect != DROPEFFECT_MOVE)
        return true;   // nothing to do
    ComPtr<INotifyNSServer> server(target.server);
    if (!server && !GetLocalServerInterface(IID_INotifyNSServer, reinterpret_cast<void**>(server.GetAddressOf()))) {
        Logging::OutToLogFile("NSDropTarget::CopyMove | Can't continue without a INotifyNSServer");
        return false;
    }
    ItemTransfer transfer(*server.Get(), target);
    for (const TransferItem& transferred : items.Items) {
        CacheItem item = ToCacheItem(transferred);
        if (item.FolderPath.empty())
            item.FolderPath = items.SourceFolderPath;
        if (effect == DROPEFFECT_LINK)
            transfer.Link(item);
        else
            transfer.CopyOrMove(item, effect == DROPEFFECT_MOVE);
    }
    return true;
}
