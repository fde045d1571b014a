#include "folder/shell_folder_mgr.h"

#include "folder/shell_folder.h"
#include "logging/logging.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "text/ansi_text.h"
#include "text/text_format.h"
#include "transfer/data_object.h"
#include "transfer/dropped_items.h"
#include "transfer/fixed_items.h"
#include "transfer/pasted_cut.h"
#include "transfer/pending_cut.h"
#include "ui/prompt.h"

#include <shlobj.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

void ShowAccessDenied(const std::string& name)
{
    ShowPrompt(::GetActiveWindow(),
               name.empty() ? CommonText(IDS_ERR_ITEM_NOT_DELETABLE)
                            : FormatText(CommonText(IDS_ERR_DELETE_ACCESS_DENIED_FMT), name),
               CommonText(IDS_CAPTION_ERROR_DELETING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

bool AskYes(const std::string& question)
{
    return ShowPrompt(::GetActiveWindow(), question, CommonText(IDS_CAPTION_CONFIRM_DELETE),
                      MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) == IDYES;
}

} // namespace

ShellFolderMgr::ShellFolderMgr() { Logging::OutToLogFile("ShellFolderMgr::ShellFolderMgr()\n"); }

ShellFolderMgr::~ShellFolderMgr() { Logging::OutToLogFile("ShellFolderMgr::~ShellFolderMgr()\n"); }

void ShellFolderMgr::DeleteItems(std::vector<CacheItem> items, ShellFolder& holder, const CacheItem& holderItem,
                                 LONG client, bool noConfirm, INotifyNSServer* given)
{
    Logging::OutToLogFile("ShellFolderMgr::DeleteItems()\n");
    if (!holderItem.IsDeletableFolder() || items.empty()) {
        ShowAccessDenied(items.empty() ? std::string() : items.front().Name);
        return;
    }
    const bool several = items.size() > 1;
    if (several && !noConfirm &&
        !AskYes(FormatText(CommonText(IDS_ASK_DELETE_ITEMS_FMT), static_cast<int>(items.size()))))
        return;
    ComPtr<INotifyNSServer> server(given);
    if (!server && !GetLocalServerInterface(IID_INotifyNSServer, reinterpret_cast<void**>(server.GetAddressOf()))) {
        Logging::OutToLogFile("ShellFolderMgr::DeleteItems |            Can't continue without a INotifyNSServer");
        return;
    }
    const ComPtr<ShellFolder> folder(&holder);   // kept alive while the callbacks run
    for (CacheItem& item : items) {
        if (item.FolderPath.empty())
            item.FolderPath = holder.FolderPath();
        if (item.IsFolder()) {
            // One question stood for all of several items; a single folder asks its own.
            folder->DeleteFolder(item, client, server.Get(), noConfirm || several);
            continue;
        }
        if (!several && !noConfirm && !AskYes(FormatText(CommonText(IDS_ASK_DELETE_ITEM_FMT), item.Name)))
            return;
        if (!item.InitStruct())
            continue;
        const HRESULT result = server->DeleteItem(client, WideFromAnsi(holder.FolderPath()).c_str(), item.Record);
        if (result == NSS_S_NOT_DELETABLE)
            ShowAccessDenied(item.Name);
        else if (result != S_OK)
            Logging::OutToLogFile("Favorite could not be deleted through interface method.\n");
    }
}

bool ShellFolderMgr::CheckValidNSClipboard()
{
    Logging::OutToLogFile("ShellFolderMgr::CheckValidNSClipboard()\n");
    ComPtr<IDataObject> data;
    if (FAILED(::OleGetClipboard(&data)) || !data)
        return false;
    return OffersNamespaceFormat(*data.Get());
}

bool ShellFolderMgr::PutOnClipboard(const std::string& folderPath, LPCITEMIDLIST folder, std::vector<CacheItem> items,
                                    bool cut, HWND list)
{
    if (items.empty())
        return false;
    for (const CacheItem& item : items) {
        if (StaysInPlace(item))
            return false;
    }
    std::vector<std::string> names;
    for (const CacheItem& item : items)
        names.push_back(item.Name);
    const ComPtr<DataObject> data = MakeComObject<DataObject>(folderPath, folder, std::move(items));
    const HRESULT result = ::OleSetClipboard(data.Get());
    if (FAILED(result)) {
        Logging::OutToLogFile("ShellFolderMgr::PutOnClipboard() | Failed calling OleSetClipboard with the HRESULT=",
                              static_cast<int>(result));
        return false;
    }
    AuxiliaryFunctions::SetClipboardCutFlag(cut);
    if (cut)
        pending_cut::Set(data.Get(), folderPath, names, list);
    else
        pending_cut::Clear();
    return true;
}

bool ShellFolderMgr::PutFolderOnClipboard(LPCITEMIDLIST folder, bool cut)
{
    if (!folder)
        return false;
    const LPCITEMIDLIST last = PidlMgr::GetLastItem(folder);
    CacheItem item;
    if (!last || !PidlMgr::IsValid(last) || !PidlMgr::PidlToCacheItem(last, item) || StaysInPlace(item))
        return false;
    ScopedPidl parent(::ILClone(folder));
    if (!parent || !::ILRemoveLastID(parent.get()))
        return false;
    return PutOnClipboard(item.FolderPath, parent.get(), {item}, cut);
}

DWORD ShellFolderMgr::Paste(LPCITEMIDLIST target, const DropTargetList* list)
{
    Logging::OutToLogFile("ShellFolderMgr::Paste()\n");
    ComPtr<IDataObject> data;
    if (FAILED(::OleGetClipboard(&data)) || !data || !OffersNamespaceFormat(*data.Get()))
        return DROPEFFECT_NONE;
    const bool cut = AuxiliaryFunctions::GetClipboardCutFlag();
    const ComPtr<NSDropTarget> dropTarget =
        list ? MakeComObject<NSDropTarget>(target, *list) : MakeComObject<NSDropTarget>(target);
    const DWORD done = dropTarget->Paste(*data.Get(), cut);
    // A cut is pasted once: later pastes of the same data, from any process, find nothing. A cut
    // of which nothing moved stays a cut.
    if (cut && done == DROPEFFECT_MOVE)
        FinishPastedCut(*data.Get());
    return done;
}

void ShellFolderMgr::CancelCut()
{
    Logging::OutToLogFile("ShellFolderMgr::CancelCut()\n");
    // Without a cut of ours there is nothing to cancel: a cut of another window stays a cut.
    if (pending_cut::TakeOffClipboard())
        AuxiliaryFunctions::SetClipboardCutFlag(false);
}

bool ShellFolderMgr::IsCutPending(const std::string& folderPath, const std::string& name)
{
    return pending_cut::Contains(folderPath, name);
}
