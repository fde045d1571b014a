// The commands of the list: what the menus, the toolbar, the item context menu and the keys
// ask of the selection or of the folder shown.
#include "view_list_ctrl.h"

#include "browse/browse_for_media_dialog.h"
#include "browse/media_state_message.h"
#include "browse_request.h"
#include "cache/cache.h"
#include "find_files_request.h"
#include "folder/new_name_check.h"
#include "folder/shell_folder.h"
#include "folder/shell_folder_mgr.h"
#include "item_menu.h"
#include "logging/logging.h"
#include "mapping/disc_opening.h"
#include "mapping/map_media_dialog.h"
#include "mapping/mapping_settings.h"
#include "menu/explorer_tree.h"
#include "namespace/namespace_functions.h"
#include "new_item_names.h"
#include "ns_result_codes.h"
#include "pidl/pidl_mgr.h"
#include "props/item_property_sheet.h"
#include "public/server_data_coordinator.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"
#include "item_shortcut.h"
#include "root_folder_publication.h"
#include "settings_program.h"
#include "text/ansi_text.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "transfer/favorite_shortcuts.h"
#include "ui/prompt.h"
#include "ui/ui_handles.h"
#include "ui/wait_cursor.h"
#include "view/view_commands.h"

#include <shellapi.h>

using Microsoft::WRL::ComPtr;
using namespace view_command;

namespace {

// Browse flags of the shell (SBSP_*) as the commands use them.
constexpr UINT kExploreSameWindow = 0x21;
constexpr UINT kExploreNewWindow = 0x22;
constexpr UINT kOpenSameWindow = 0x10;
constexpr UINT kOpenNewWindow = 0x12;

void ShowStop(const std::string& text, UINT captionId)
{
    ShowPrompt(nullptr, text, CommonText(captionId), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

} // namespace

bool ShellViewListCtrl::OnCommand(UINT id)
{
    switch (id) {
    case kLargeIcons: case kSmallIcons: case kList: case kDetails:
        SetViewMode(static_cast<int>(id - kLargeIcons) + 1);
        return true;
    case kToolbarLargeIcons: case kToolbarLargeIcons + 1: case kToolbarLargeIcons + 2: case kToolbarDetails:
        SetViewMode(static_cast<int>(id - kToolbarLargeIcons) + 1);
        return true;
    case kArrangeByName: case kArrangeByType: case kArrangeByComment: case kArrangeByServer: {
        const ViewColumn wanted = id == kArrangeByName ? ViewColumn::Name
                                  : id == kArrangeByType ? ViewColumn::Type
                                  : id == kArrangeByComment ? ViewColumn::Comment
                                                            : ViewColumn::Server;
        for (int column = 0; column < ColumnCount(); ++column) {
            if (columns_[static_cast<size_t>(column)] == wanted)
                SortByColumn(column, true);
        }
        return true;
    }
    case kHelp:
        AuxiliaryFunctions::LaunchHelpFile(-1);
        return true;
    case kAbout:
        StartSettingsProgram("-p", "ShellViewListCtrl::LaunchAboutbox() - ");
        return true;
    case kSettings:
        StartSettingsProgram("-s:0", "ShellViewListCtrl::LaunchProgramSettingsDialog() - ");
        return true;
    case kFindDiscs:
        StartSettingsProgram("-f", "ShellViewListCtrl::LaunchFindMediaDialog() - ");
        return true;
    case kPublicFolderSettings:
        ShowPublicFolderSettings();
        return true;
    case kRefreshPublicFolders:
        RefreshPublicFolders();
        return true;
    case kTutorial:
        try {
            const std::string tutorial = ReadProgramPath() + "\\" + CommonText(IDS_TUTORIAL_HELP_FILE_NAME);
            ::WinHelpA(list_, tutorial.c_str(), HELP_INDEX, 0);
        } catch (const RegKeyException& error) {
            LogRegKeyException("ShellViewListCtrl::OnCommand() - ", error);
        }
        return true;
    case kOpen: case kContextOpen:
        ExecuteOnSelection(kOpen);
        return true;
    case kExplore: case kContextExplore:
        ExecuteOnSelection(kExplore);
        return true;
    case kFullSearch:
        StartSearch(true);
        return true;
    case kQuickSearch:
        StartSearch(false);
        return true;
    case kNewFolder: case kNewAutoMapFolder:
        CreateNewFolder(id);
        return true;
    case kNewLaunchObject:
        CreateNewLaunchObject();
        return true;
    case kDelete:
        // Without the list's focus the tree's folder is meant, which is the one shown here.
        if (HasFocus())
            DeleteSelection();
        else
            DeleteCurrentFolder();
        return true;
    case kContextDelete:
        DeleteSelection();
        return true;
    case kCut: case kContextCut: case kExplorerCut:
        CopySelection(true);
        return true;
    case kCopy: case kContextCopy: case kExplorerCopy:
        CopySelection(false);
        return true;
    case kPaste: case kContextPaste:
        PasteIntoFolder();
        return true;
    case kContextPasteInto:
        PasteIntoSelectedFolder();
        return true;
    case kRename:
        if (HasFocus())
            StartRename();
        else if (context_.browser)
            EditChosenTreeLabel(*context_.browser);
        return true;
    case kContextRename:
        StartRename();
        return true;
    case kSelectAll:
        SelectAll();
        return true;
    case kInvertSelection:
        InvertSelection();
        return true;
    case kContextAddToFavorites:
        AddToFavoriteFolder();
        return true;
    case kContextFindFiles:
        FindFilesOnDisc();
        return true;
    case kContextDesktopShortcut:
        CreateShortcutsOnDesktop();
        return true;
    case kProperties: case kContextProperties:
        ShowProperties();
        return true;
    case kContextQuickMap:
        QuickMapSelection();
        return true;
    case kMapDisc:
        Logging::OutToLogFile("ShellViewListCtrl::OnCommand() - ID_MENU_NETSTOR_MAP_MEDIA\n");
        MapDisc(std::string());
        return true;
    case kContextMapDisc:
        MapSelectedDisc();
        return true;
    default:
        return false;
    }
}

void ShellViewListCtrl::ShowContextMenu(POINT screen)
{
    const ScopedMenu popup(::CreatePopupMenu());
    if (!popup || ItemMenu::Insert(popup.Get(), 0, SelectedItems(), ItemMenu::kFirstCommand, 0xFFFF) <= 0)
        return;
    if (!ShellFolderMgr().CheckValidNSClipboard()) {
        ::EnableMenuItem(popup.Get(), kContextPaste, MF_BYCOMMAND | MF_GRAYED);
        ::EnableMenuItem(popup.Get(), kContextPasteInto, MF_BYCOMMAND | MF_GRAYED);
    }
    const UINT chosen = ::TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                         ::GetParent(list_), nullptr);
    if (chosen)
        OnCommand(chosen);
}

bool ShellViewListCtrl::ItemStillExists(const CacheItem& item) const
{
    Cache folder(CacheFolderOnly, item.FolderPath.empty() ? context_.folderPath : item.FolderPath);
    return folder.ItemExists(item);
}

void ShellViewListCtrl::ShowItemNotFound(const CacheItem& item) const
{
    const std::string path = item.FolderPath.empty() ? std::string() : item.FolderPath + "\\";
    const std::string where = BrandingText(IDS_BRAND_NAMESPACE_NAME) + "\\" + path + item.Name;
    ShowPrompt(nullptr, FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), where), CommonText(IDS_CAPTION_ERROR_FINDING),
               MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

bool ShellViewListCtrl::HasFocus() const
{
    const HWND focus = ::GetFocus();
    return focus && (focus == list_ || ::IsChild(list_, focus));
}

bool ShellViewListCtrl::SearchModuleReachable() const
{
    if (context_.server)
        return true;
    ShowSearchModuleUnreachable(::GetParent(list_));
    return false;
}

void ShellViewListCtrl::ReportIfSearchModuleGone(HRESULT result) const
{
    if (IsSearchModuleGone(result))
        ShowSearchModuleUnreachable(::GetParent(list_));
}

bool ShellViewListCtrl::TreeIsShown() const
{
    HWND tree = nullptr;
    return context_.browser && SUCCEEDED(context_.browser->GetControlWindow(FCW_TREE, &tree)) && tree &&
           ::IsWindowVisible(tree);
}

void ShellViewListCtrl::ExecuteOnSelection(UINT command)
{
    // The selection is copied first: a command may change the rows (a relocated disc, a browse).
    const std::vector<CacheItem> selected = SelectedItems();
    for (size_t i = 0; i < selected.size(); ++i) {
        CacheItem item = selected[i];
        if (item.FolderPath.empty())
            item.FolderPath = context_.folderPath;
        if (!ItemStillExists(item)) {
            ShowItemNotFound(item);
            continue;
        }
        OpenItem(item, command, i == 0, selected.size() == 1);
    }
}

void ShellViewListCtrl::OpenItem(const CacheItem& item, UINT command, bool first, bool only)
{
    if (item.ItemType == LaunchObject) {
        ExecuteLaunchObject(item);   // never browsed, whatever the command
    } else if (item.IsFolder()) {
        BrowseFolder(item, command, first, only);
    } else if (item.IsMedia()) {
        const bool explore = command == kExplore || (command == 0 && TreeIsShown());
        AccessDisc(item, explore);
    }
}

void ShellViewListCtrl::BrowseFolder(const CacheItem& item, UINT command, bool first, bool only)
{
    const bool tree = TreeIsShown();
    UINT flags = 0;
    if (command == kExplore)
        flags = first && tree ? kExploreSameWindow : kExploreNewWindow;
    else if (command == kOpen)
        flags = !tree && (only || first) ? kOpenSameWindow : kOpenNewWindow;
    else
        flags = tree ? kExploreSameWindow : kOpenSameWindow;

    PidlMgr pidls;
    ScopedPidl child(pidls.Create(item, context_.folderPath));
    ScopedPidl parent = context_.folder ? context_.folder->GetAbsolutePidl() : ScopedPidl();
    ScopedPidl target(child && parent ? pidls.Concatenate(parent.get(), child.get()) : nullptr);
    if (!target) {
        ShowItemNotFound(item);
        return;
    }
    // The same window browses once this notification is over; a new window is the shell's.
    if (!(flags & SBSP_NEWBROWSER) && RequestBrowse(context_.browser, std::move(target), flags | SBSP_ABSOLUTE))
        return;
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_IDLIST | SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    execute.lpClass = "folder";
    execute.lpVerb = (flags & 0x20) ? "explore" : "open";
    execute.lpIDList = target.get();
    execute.nShow = SW_SHOWNORMAL;
    if (::ShellExecuteExA(&execute))
        return;
    LogFormatted("ShellViewListCtrl::BrowseFolder | ShellExecuteEx failed,              GetLastError returns =%u\n",
                 static_cast<unsigned>(::GetLastError()));
    // The shell cannot open our folders in a new window everywhere: this window browses there.
    RequestBrowse(context_.browser, std::move(target), SBSP_SAMEBROWSER | SBSP_ABSOLUTE);
}

void ShellViewListCtrl::AccessDisc(const CacheItem& listed, bool explore)
{
    const WaitCursor wait;
    const bool inAllDiscs = EqualsNoCase(listed.FolderPath, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
    CacheItem item(listed);
    MediaStateType state = BrowseForMediaDialog::CheckAccessToMedia(DiscNetworkPath(item));
    DWORD error = ::GetLastError();
    bool relocated = false;
    if (state == MediaNotFound && !inAllDiscs) {
        const RelocationAnswer answer = RelocateDisc(item);
        if (answer == RelocationAnswer::Cancelled)
            return;
        if (answer == RelocationAnswer::Relocated) {
            relocated = true;
            state = BrowseForMediaDialog::CheckAccessToMedia(DiscNetworkPath(item));
            error = ::GetLastError();
        }
    }
    if (state != MediaAccessible) {
        ShowMediaStateError(list_, state, DiscNetworkPath(item), error);
        return;
    }
    // A disc of the user's folders maps by its own or its AutoMap folder's settings, which the
    // search module carries out for the stored item; a disc found elsewhere just now is mapped
    // here by the settings the user gave the one it stands for. The folder of all discs holds
    // no settings.
    if (inAllDiscs) {
        OpenDiscMapped(item, CacheItem(), explore);
        return;
    }
    if (relocated) {
        OpenDiscMapped(item, MappingSettingsOf(listed), explore);
        return;
    }
    AutoMapThroughSearchModule(item);
}

ComPtr<INotifyNSLaunchManager> ShellViewListCtrl::LaunchManager() const
{
    ComPtr<INotifyNSLaunchManager> launcher;
    HRESULT result = context_.server
                         ? context_.server.As(&launcher)
                         : (GetLocalServerInterface(IID_INotifyNSLaunchManager,
                                                    reinterpret_cast<void**>(launcher.GetAddressOf()))
                                ? S_OK
                                : E_NOINTERFACE);
    if (FAILED(result) || !launcher) {
        LogFormatted("Could not get the INotifyNSLaunchManager interface. HRESULT =0x%08X\n",
                     static_cast<unsigned>(result));
        return nullptr;
    }
    // The module asks its questions in windows of its own: let them come to the front.
    ::CoAllowSetForegroundWindow(launcher.Get(), nullptr);
    return launcher;
}

void ShellViewListCtrl::ExecuteLaunchObject(const CacheItem& item)
{
    const ComPtr<INotifyNSLaunchManager> launcher = LaunchManager();
    if (!launcher)
        return;
    const HRESULT result = launcher->ExecuteLaunchObject(WideFromAnsi(ItemFullName(item)).c_str());
    if (FAILED(result))
        LogFormatted("Failed when calling INotifyNSLM::ExecuteLaunchObject() HRESULT =0x%08X\n",
                     static_cast<unsigned>(result));
}

void ShellViewListCtrl::AutoMapThroughSearchModule(const CacheItem& item)
{
    const ComPtr<INotifyNSLaunchManager> launcher = LaunchManager();
    if (!launcher)
        return;
    const HRESULT result = launcher->AutoMapMedia(WideFromAnsi(ItemFullName(item)).c_str(), 0);
    if (FAILED(result))
        LogFormatted("Failed when calling INotifyNSLaunchManager::AutoMapMedia()            HRESULT=0x%08X\n",
                     static_cast<unsigned>(result));
}

void ShellViewListCtrl::MapDisc(const std::string& networkPath)
{
    // Without a disc the user types or picks the path in the dialog's own tree.
    const MapDialogLaunch launch = networkPath.empty() ? LaunchedStandalone : LaunchedForDisc;
    MapMediaDialog(networkPath, launch, std::string(), nullptr).DoModal(list_);
}

void ShellViewListCtrl::MapSelectedDisc()
{
    for (const CacheItem& item : SelectedItems()) {
        if (item.IsMedia()) {
            MapDisc(DiscNetworkPath(item));
            return;
        }
    }
}

void ShellViewListCtrl::QuickMapSelection()
{
    for (CacheItem item : SelectedItems()) {
        if (!item.IsMedia())
            continue;
        if (item.FolderPath.empty())
            item.FolderPath = context_.folderPath;
        if (!ItemStillExists(item)) {
            ShowItemNotFound(item);
            continue;
        }
        AutoMapThroughSearchModule(item);
        return;   // the command serves the selected disc
    }
}

void ShellViewListCtrl::CreateNewFolder(UINT command)
{
    Logging::OutToLogFile("ShellViewListCtrl::CreateNewFolder()\n");
    if (folderItem_.IsSystemFolder() || folderItem_.IsMappedFolder() || !SearchModuleReachable())
        return;
    const bool autoMap = command == kNewAutoMapFolder;
    const std::string base =
        CommonText(IDS_MENU_NEW) + " " + CommonText(autoMap ? IDS_MENU_NEW_AUTOMAP_FOLDER : IDS_MENU_NEW_FOLDER);
    CacheItem folder;
    folder.Name = folder.OriginalName = base;
    folder.ItemType = autoMap ? MappedFolder : UserFolder;
    folder.Type = CommonText(autoMap ? IDS_TYPE_AUTOMAP_FOLDER : IDS_TYPE_USER_FOLDER);
    folder.FolderPath = context_.folderPath;
    folder.ItemCreator = AuxiliaryFunctions::GetUser();
    if (autoMap) {
        // An AutoMap folder is made with its settings, or not at all.
        ItemPropertySheet settings(folder, ItemSheetPurpose::NewItemSettings);
        settings.DoModal(::GetParent(list_));
        if (!settings.Committed())
            return;
        folder = settings.Edited();
    }

    HRESULT result = S_OK;
    for (;;) {
        if (!folder.InitStruct()) {
            Logging::OutToLogFile("Could not initiate cache item struct.\n");
            return;
        }
        result = context_.server->CreateItem(0, WideFromAnsi(context_.folderPath).c_str(), folder.Record);
        if (result != NSS_S_NAME_EXISTS)
            break;
        folder.Name = folder.OriginalName = NextFreeName(base, folder.Name);
    }
    // Only a folder that was made is one: the "denied" answers are not.
    if (result != S_OK) {
        Logging::OutToLogFile("New folder could not be added through interface method.\n");
        ReportIfSearchModuleGone(result);
        return;
    }
    if ((autoMap || AuxiliaryFunctions::GetUser() == ItemCreatorServer) && !folder.SaveMoreData())
        ShowErrorPrompt(::GetParent(list_), FormatText(CommonText(IDS_ERR_NEW_ITEM_SETTINGS_NOT_SAVED_FMT), folder.Name));
    if (context_.folder)
        context_.folder->NotifyItemEvent(SHCNE_UPDATEDIR, nullptr, false);
    ShowItemMadeHere(folder);
    MarkFolderHasSubFolders();
    ApplyRows();
    if (const auto row = rows_.Find(folder)) {
        ::SetFocus(list_);
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(list_, static_cast<int>(*row), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list_, static_cast<int>(*row), FALSE);
        ListView_EditLabel(list_, static_cast<int>(*row));
    }
}

void ShellViewListCtrl::MarkFolderHasSubFolders()
{
    if (folderItem_.HasSubFolders || folderItem_.ItemType == RootFolder || !context_.server)
        return;
    CacheItem marked(folderItem_);
    marked.HasSubFolders = 1;
    if (!marked.InitStruct())
        return;
    const HRESULT result = context_.server->UpdateItem(0, WideFromAnsi(marked.FolderPath).c_str(), marked.Record);
    if (FAILED(result)) {
        LogFormatted("Failed calling INotifyNSServer::UpdateItem() HRESULT =0x%08X\n", static_cast<unsigned>(result));
        return;
    }
    folderItem_.HasSubFolders = 1;
}

void ShellViewListCtrl::RenameRow(const std::string& identity, std::string newName)
{
    const CacheItem* found = nullptr;
    for (size_t i = 0; i < rows_.Size() && !found; ++i) {
        if (rows_.At(i).identity == identity)
            found = &rows_.At(i).item;
    }
    if (!found || !SearchModuleReachable())
        return;
    // A copy: the search module's callbacks change the rows while the call runs.
    const CacheItem item(*found);
    if (const auto refusal = CheckNewName(context_.folderPath, item.Name, newName)) {
        ShowStop(*refusal, IDS_CAPTION_ERROR_RENAMING);
        return;
    }
    if (item.IsSystemFolder() || folderItem_.IsSystemFolder()) {
        ShowStop(FormatText(CommonText(IDS_ERR_RENAME_WRITE_PROTECTED_FMT), item.Name), IDS_CAPTION_ERROR_RENAMING);
        return;
    }
    if (newName == item.Name)
        return;
    const RootFolderPublication publication(item, context_.folderPath);
    CacheItem renamed(item);
    renamed.Name = newName + "|" + item.Name;
    if (!renamed.InitStruct()) {
        Logging::OutToLogFile("Could not initiate cache item struct.\n");
        return;
    }
    const HRESULT result =
        context_.server->UpdateItem(context_.clientId, WideFromAnsi(context_.folderPath).c_str(), renamed.Record);
    if (result == NSS_S_NAME_EXISTS) {
        ShowStop(FormatText(CommonText(IDS_ERR_RENAME_NAME_EXISTS_FMT), item.Name), IDS_CAPTION_ERROR_RENAMING);
        return;
    }
    if (result != S_OK) {
        LogFormatted("Failed calling INotifyNSServer::UpdateItem() HRESULT =0x%08X\n", static_cast<unsigned>(result));
        ReportIfSearchModuleGone(result);
        return;
    }
    publication.Renamed(newName);
    if (context_.folder)
        context_.folder->NotifyItemEvent(SHCNE_UPDATEDIR, nullptr, false);
}

void ShellViewListCtrl::DeleteSelection()
{
    std::vector<CacheItem> selected = SelectedItems();
    if (selected.empty() || !context_.folder)
        return;
    for (CacheItem& item : selected) {
        if (item.FolderPath.empty())
            item.FolderPath = context_.folderPath;
    }
    ShellFolderMgr().DeleteItems(std::move(selected), *context_.folder.Get(), folderItem_, context_.clientId, false,
                                 context_.server.Get());
}

void ShellViewListCtrl::DeleteCurrentFolder()
{
    // The root is held by no folder (the command is not offered there).
    const ComPtr<ShellFolder> holder = context_.folder ? context_.folder->Holder() : nullptr;
    if (!holder || !holder->DeleteFolder(folderItem_, context_.clientId, context_.server.Get(), false))
        return;
    // The folder shown is gone: the window shows the one that held it.
    RequestBrowse(context_.browser, holder->GetAbsolutePidl(), SBSP_SAMEBROWSER | SBSP_ABSOLUTE);
}

void ShellViewListCtrl::ShowPublicFolderSettings()
{
    const ItemCreators user = AuxiliaryFunctions::GetUser();
    if (user == ItemCreatorOther)
        return;
    StartSettingsProgram(user == ItemCreatorServer ? "-s:2" : "-s:1", "ShellViewListCtrl::LaunchProgramSettingsDialog() - ");
}

void ShellViewListCtrl::RefreshPublicFolders()
{
    const WaitCursor wait;
    ServerDataCoordinator().StartUpdate();
    Fill();
}

void ShellViewListCtrl::StartSearch(bool full)
{
    Logging::OutToLogFile("ShellViewListCtrl::StartARescan()\n");
    if (!SearchModuleReachable())
        return;
    const WaitCursor wait;
    const HRESULT result = full ? context_.server->Rescan(context_.clientId) : context_.server->Refresh(context_.clientId);
    if (FAILED(result)) {
        Logging::OutToLogFile(full ? "Could not start a rescan of the network.\n"
                                   : "Could not start a media update of the network.\n");
        ReportIfSearchModuleGone(result);
        return;
    }
    const UINT busy = result == NSS_S_USER_FULL_BUSY                 ? IDS_BUSY_USER_FULL_SEARCH
                      : !full && result == NSS_S_AUTO_FULL_BUSY      ? IDS_BUSY_AUTO_FULL_SEARCH
                      : !full && result == NSS_S_USER_QUICK_BUSY     ? IDS_BUSY_USER_QUICK_SEARCH
                                                                     : 0;
    if (busy) {
        ShowPrompt(::GetParent(list_), CommonText(busy), ProductCaption(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (result != S_OK) {
        Logging::OutToLogFile(full ? "Tried to start a User-Rescan but was denied!\n"
                                   : "Tried to start a User-Refresh but was denied!\n");
        return;
    }
    // The rows stay while the search runs; SearchDone reads the folder again.
    if (ShowsAllDiscs())
        ::SetCursor(::LoadCursorA(nullptr, IDC_APPSTARTING));
}

void ShellViewListCtrl::CreateShortcutsOnDesktop()
{
    std::string program;
    try {
        program = ReadProgramPath() + "\\" + CommonText(IDS_SETTINGS_EXE_NAME);
    } catch (const RegKeyException& error) {
        LogRegKeyException("ShellViewListCtrl::CreateItemShortcutOnDesktop() - ", error);
    }
    ScopedPidl folder = context_.folder ? context_.folder->GetAbsolutePidl() : ScopedPidl();
    for (CacheItem item : SelectedItems()) {
        if (item.FolderPath.empty())
            item.FolderPath = context_.folderPath;
        const ItemShortcut shortcut(item, program, folder.get());
        if (!shortcut.SaveOnDesktop())
            ShowPrompt(::GetParent(list_), CommonText(IDS_ERR_CREATE_SHORTCUT), ProductCaption(),
                       MB_OK | MB_ICONSTOP);
    }
}

void ShellViewListCtrl::AddToFavoriteFolder()
{
    const std::vector<CacheItem> selected = SelectedItems();
    if (selected.empty() || !SearchModuleReachable())
        return;
    ScopedPidl root(NamespaceFunctions::GetNamespacePidl(BrandingText(IDS_BRAND_NAMESPACE_NAME).c_str()));
    if (!root)
        return;
    const std::string title = CommonText(IDS_SELECT_SHORTCUT_FOLDER_TITLE);
    BROWSEINFOA browse{};
    browse.hwndOwner = ::GetParent(list_);
    browse.pidlRoot = root.get();
    browse.lpszTitle = title.c_str();
    ScopedPidl chosen(::SHBrowseForFolderA(&browse));
    if (!chosen)
        return;
    // The chosen folder's path in the namespace: its own path and name, empty for the root.
    std::string destination;
    if (const LPITEMIDLIST last = ::ILFindLastID(chosen.get()); last && PidlMgr::IsValid(last))
        PidlMgr::GetItemFullName(last, destination);
    std::vector<CacheItem> items;
    for (CacheItem item : selected) {
        item.FolderPath = FolderPathOf(item);
        items.push_back(std::move(item));
    }
    AddFavoriteShortcuts(*context_.server.Get(), destination, items, browse.hwndOwner);
}

void ShellViewListCtrl::FindFilesOnDisc()
{
    const std::vector<CacheItem> selected = SelectedItems();
    if (selected.size() != 1 || !selected.front().IsMedia())
        return;
    const CacheItem& disc = selected.front();
    if (!RequestFindFiles(DiscNetworkPath(disc)))
        ::MessageBeep(MB_ICONEXCLAMATION);
}
