// The folder operations that Explorer itself can start on a folder: rename and delete, both
// carried out by the search module.
#include "shell_folder.h"

#include "browse_request.h"
#include "cache/cache.h"
#include "logging/logging.h"
#include "new_name_check.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "root_folder_publication.h"
#include "search_module_access.h"
#include "text/ansi_text.h"
#include "text/text_format.h"
#include "ui/prompt.h"

using Microsoft::WRL::ComPtr;

namespace {

// The server to use: the caller's, or a new connection to the search module; null, the user
// told, when it cannot be reached.
ComPtr<INotifyNSServer> ServerOrNew(INotifyNSServer* given, const char* caller, HWND owner)
{
    ComPtr<INotifyNSServer> server(given);
    if (!server && !GetLocalServerInterface(IID_INotifyNSServer, reinterpret_cast<void**>(server.GetAddressOf()))) {
        LogFormatted("%s | Can't continue without a INotifyNSServer\n", caller);
        ShowSearchModuleUnreachable(owner);
    }
    return server;
}

void ShowStop(HWND owner, const std::string& text, UINT captionId)
{
    ShowPrompt(owner, text, CommonText(captionId), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

} // namespace

std::optional<std::string> ShellFolder::RenameFolder(const CacheItem& item, const std::string& newName, HWND owner,
                                                     LONG client, INotifyNSServer* given)
{
    std::string name = newName;
    if (const auto refusal = CheckNewName(folderPath_, item.Name, name)) {
        ShowStop(owner, *refusal, IDS_CAPTION_ERROR_RENAMING);
        return std::nullopt;
    }
    const ComPtr<INotifyNSServer> server = ServerOrNew(given, "ShellFolder::RenameFolder", owner);
    if (!server)
        return std::nullopt;
    const RootFolderPublication publication(item, folderPath_);
    // "new|old" names the item by its old name whatever kind it is.
    CacheItem renamed(item);
    renamed.Name = name + "|" + item.Name;
    if (!renamed.InitStruct()) {
        Logging::OutToLogFile("ShellFolder::RenameFolder | anUpdatedItem.InitStruct() failed\n");
        return std::nullopt;
    }
    const HRESULT result = server->UpdateItem(client, WideFromAnsi(folderPath_).c_str(), renamed.Record);
    if (FAILED(result)) {
        LogFailedServerCall("ShellFolder::RenameFolder", "UpdateItem()", result);
        if (IsSearchModuleGone(result))
            ShowSearchModuleUnreachable(owner);
        return std::nullopt;
    }
    if (result == NSS_S_NAME_EXISTS) {
        ShowStop(owner, FormatText(CommonText(IDS_ERR_RENAME_NAME_EXISTS_FMT), item.Name), IDS_CAPTION_ERROR_RENAMING);
        return std::nullopt;
    }
    // Only a rename that happened is one: "not updated" and "not found" are not.
    if (result != S_OK) {
        LogFailedServerCall("ShellFolder::RenameFolder", "UpdateItem()", result);
        return std::nullopt;
    }
    publication.Renamed(name);
    NotifyItemEvent(SHCNE_UPDATEDIR, nullptr, false);
    return name;
}

bool ShellFolder::DeleteFolder(const CacheItem& folder, LONG client, INotifyNSServer* given, bool noConfirm)
{
    if (folder.IsSystemFolder() || folder.ItemType == RootFolder) {
        ShowStop(nullptr, FormatText(CommonText(IDS_ERR_DELETE_ACCESS_DENIED_FMT), folder.Name),
                 IDS_CAPTION_ERROR_DELETING);
        return false;
    }
    if (!noConfirm && ShowPrompt(::GetActiveWindow(), FormatText(CommonText(IDS_ASK_DELETE_FOLDER_FMT), folder.Name),
                                 CommonText(IDS_CAPTION_CONFIRM_DELETE),
                                 MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) != IDYES)
        return false;
    CacheItem record(folder);
    if (!record.InitStruct()) {
        Logging::OutToLogFile("ShellFolder::DeleteFolder | theFolderCacheItem.InitStruct() failed\n");
        return false;
    }
    const ComPtr<INotifyNSServer> server = ServerOrNew(given, "ShellFolder::DeleteFolder", ::GetActiveWindow());
    if (!server)
        return false;
    const RootFolderPublication publication(folder, folderPath_);
    const HRESULT result = server->DeleteItem(client, WideFromAnsi(folderPath_).c_str(), record.Record);
    if (FAILED(result)) {
        LogFailedServerCall("ShellFolder::DeleteFolder", "DeleteFolder()", result);
        return false;
    }
    if (result == NSS_S_NOT_FOUND) {
        const std::string where = BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\" +
                                  (folderPath_.empty() ? "" : folderPath_ + "\\") + folder.Name;
        ShowPrompt(::GetDesktopWindow(), FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), where),
                   CommonText(IDS_CAPTION_ERROR_FINDING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
        return false;
    }
    if (result == NSS_S_NOT_DELETABLE) {
        ShowStop(nullptr, CommonText(IDS_ERR_ITEM_NOT_DELETABLE), IDS_CAPTION_ERROR_DELETING);
        return false;
    }
    if (result != S_OK) {
        LogFailedServerCall("ShellFolder::DeleteFolder", "DeleteFolder()", result);
        return false;
    }
    publication.Deleted();
    if (ScopedPidl child{pidls_.Create(folder, folderPath_)})
        NotifyItemEvent(SHCNE_RMDIR, child.get(), false);
    ClearHasSubFoldersWhenEmpty(client, *server.Get());
    return true;
}

// The last sub-folder gone: the folder loses its expand mark in Explorer's tree.
void ShellFolder::ClearHasSubFoldersWhenEmpty(LONG client, INotifyNSServer& server)
{
    {
        Cache folder(CacheReadFolder, folderPath_);
        for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
            if (*it && (*it)->IsFolder())
                return;
        }
    }
    CacheItem self;
    if (!relative_ || !PidlMgr::PidlToCacheItem(relative_.get(), self))
        return;   // the root has no item of its own
    self.HasSubFolders = 0;
    if (!self.InitStruct()) {
        Logging::OutToLogFile("ShellFolder::DeleteFolder |aNewCacheItem.InitStruct() failed\n");
        return;
    }
    const HRESULT result = server.UpdateItem(client, WideFromAnsi(self.FolderPath).c_str(), self.Record);
    if (FAILED(result))
        LogFailedServerCall("ShellFolder::DeleteFolder", "UpdateItem()", result);
}

void ShellFolder::BrowseTo(HWND owner, LPCITEMIDLIST child, const std::string& name)
{
    ScopedPidl target = AbsoluteOf(child);
    if (!target || !RequestBrowse(owner, std::move(target))) {
        LogFormatted("Could not browse folder: %s\n", name);
    }
}
