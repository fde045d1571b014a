#pragma once

#include "com/com_apartment.h"
#include "item/item.h"
#include "item_images.h"
#include "launch_object_icon_worker.h"
#include "nsinterfaces.h"
#include "pidl/pidl_mgr.h"
#include "transfer/ns_drop_target.h"
#include "view/view_state.h"
#include "view_rows.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class ShellFolder;

// The list of one folder of the namespace in Explorer's right pane: its sub-folders, discs and
// launch objects, read from the cache and kept up to date by the search module's callbacks. It
// carries out the namespace's commands on its selection; every change goes to the search module,
// whose callbacks then change the rows. The list control is virtual: rows live in ViewRows and
// the control asks for what it draws.
class ShellViewListCtrl {
public:
    static constexpr int kControlId = 2002;
    // Posted to the parent after rows changed; it calls ApplyRows.
    static constexpr UINT kApplyRowsMessage = WM_APP + 1;

    struct Context {
        std::string folderPath;
        Microsoft::WRL::ComPtr<ShellFolder> folder;
        // Null when the view could not register with the search module.
        Microsoft::WRL::ComPtr<INotifyNSServer> server;
        LONG clientId = 0;
        // The Explorer window's browser; the view holds the reference.
        IShellBrowser* browser = nullptr;
        bool fullBrowser = true;
    };

    // Creates the control as a child of parent (throws when it cannot).
    ShellViewListCtrl(HWND parent, const RECT& rect, int viewMode, Context context, HINSTANCE branding);
    ~ShellViewListCtrl();
    ShellViewListCtrl(const ShellViewListCtrl&) = delete;
    ShellViewListCtrl& operator=(const ShellViewListCtrl&) = delete;

    HWND Window() const { return list_; }
    const std::string& FolderPath() const { return context_.folderPath; }
    const CacheItem& CurrentFolder() const { return folderItem_; }
    bool ShowsAllDiscs() const;

    // Rows: all from the cache, or one at a time from the search module.
    void Fill();
    bool AddItem(const CacheItem& item);
    bool RemoveItem(const CacheItem& item);
    bool UpdateItem(const CacheItem& item);
    void SearchDone();
    // Takes the launch-object icons the worker has finished.
    void TakeFinishedIcons();

    size_t RowCount() const { return rows_.Size(); }
    const ViewRow& Row(size_t index) const { return rows_.At(index); }
    std::vector<size_t> SelectedRows();
    std::vector<CacheItem> SelectedItems();
    std::vector<ListItemType> SelectedTypes();
    // Tells the control of the rows changed since it was last told.
    void ApplyRows();

    // View mode 1 to 4: large icons, small icons, list, details.
    int ViewMode() const;
    void SetViewMode(int mode);
    ViewState Layout() const;
    void ApplyLayout(const std::optional<ViewState>& state);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    void SortByColumn(int column, bool ascending);

    // Window messages of the list that its parent passes on; true when handled.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    bool OnCommand(UINT id);
    void ShowContextMenu(POINT screen);

    HWND LabelEditor() const { return ListView_GetEditControl(list_); }
    void SelectAll();
    void InvertSelection();
    void StartRename();
    void DeleteSelection();
    // Deletes the folder the list shows (after asking), as the tree's command.
    void DeleteCurrentFolder();
    // The clipboard: the selection copied or cut, pasted into the list's folder or into the
    // selected folder, a pending cut cancelled.
    void CopySelection(bool cut);
    void PasteIntoFolder();
    void PasteIntoSelectedFolder();
    void CancelCut();
    void ExecuteOnSelection(UINT command);
    void CreateShortcutsOnDesktop();
    // The property sheet of the selected item, or without the focus of the folder shown.
    void ShowProperties();
    void UpdateStatusText();

private:
    template <class Change>
    void ChangeRows(Change&& change);
    // The selection as the control has it (which lags behind the rows until ApplyRows).
    std::vector<size_t> ListedSelection() const;
    void AddColumns();
    int ImageFor(const CacheItem& item) const;
    std::string TextOf(const ViewRow& row, int column) const;
    void OnGetDisplayInfo(NMLVDISPINFOA& info) const;
    LRESULT OnFindItem(const NMLVFINDITEMA& find) const;
    bool OnBeginLabelEdit(const NMLVDISPINFOA& info);
    void OnEndLabelEdit(const NMLVDISPINFOA& info);
    void OnColumnClick(int column);
    void OnDoubleClick();
    void BeginDrag();
    void RegisterAsDropTarget();
    // The list as the owner of a drop target: its browser kind and search-module connection.
    DropTargetList DropTargetOwner() const;
    // The folder row at a point of the screen, if any.
    std::optional<CacheItem> FolderAt(POINTL screen) const;
    // Where a paste into target (a folder of the list or the list's own) goes, as the drop
    // target takes it; null when the view has no folder.
    ScopedPidl PasteTarget(const CacheItem* folder) const;
    std::string FolderPathOf(const CacheItem& item) const;

    // Commands (view_list_commands.cpp).
    bool ItemStillExists(const CacheItem& item) const;
    void ShowItemNotFound(const CacheItem& item) const;
    void OpenItem(const CacheItem& item, UINT command, bool first, bool only);
    void BrowseFolder(const CacheItem& item, UINT command, bool first, bool only);
    void AccessDisc(const CacheItem& listed, bool explore);
    // A disc not found where it was: the user may pick the same disc on another server
    // (view_list_relocation.cpp). item takes the new place when it was relocated.
    enum class RelocationAnswer { Relocated, NoCandidate, Cancelled };
    RelocationAnswer RelocateDisc(CacheItem& item);
    // The stored item follows the disc to its new place: the new one is made, with the old
    // one's settings, before the old one goes. False (logged) when it could not be made.
    bool ReplaceStoredDisc(const CacheItem& old, const CacheItem& moved);
    void ExecuteLaunchObject(const CacheItem& item);
    // The search module's launch manager, allowed to come to the foreground; null when it
    // cannot be reached (logged).
    Microsoft::WRL::ComPtr<INotifyNSLaunchManager> LaunchManager() const;
    // Whether the view has a connection to the search module; the user is told when not.
    bool SearchModuleReachable() const;
    // Tells the user when a failed call of the search module failed because it has gone.
    void ReportIfSearchModuleGone(HRESULT result) const;
    // The search module maps the disc by its settings and opens it.
    void AutoMapThroughSearchModule(const CacheItem& item);
    void QuickMapSelection();
    // The Map Disc dialog for a disc's network path, or standalone for an empty one.
    void MapDisc(const std::string& networkPath);
    void MapSelectedDisc();
    void CreateNewFolder(UINT command);
    void CreateNewLaunchObject();
    // Lists an item this view has just made through the search module, so that it can be
    // selected and renamed at once; the module's news of it, before or after, adds no second row.
    void ShowItemMadeHere(const CacheItem& item);
    void MarkFolderHasSubFolders();
    void RenameRow(const std::string& identity, std::string newName);
    void StartSearch(bool full);
    void ShowPublicFolderSettings();
    void RefreshPublicFolders();
    void AddToFavoriteFolder();
    void FindFilesOnDisc();
    // Whether the list (or its label editor) has the focus: else the tree's folder is meant.
    bool HasFocus() const;
    bool TreeIsShown() const;
    void SetStatusText(const std::string& text) const;

    HWND list_ = nullptr;
    Context context_;
    // Drag and drop needs OLE on the list's thread; the list is a drop target while it lives.
    std::unique_ptr<OleApartment> ole_;
    bool dropTargetRegistered_ = false;
    CacheItem folderItem_;
    std::vector<ViewColumn> columns_;
    ViewRows rows_;
    ItemImages images_;
    std::unique_ptr<LaunchObjectIconManager> icons_;
    // The row being renamed in place, by name and location.
    std::string renaming_;
    bool updatingSelection_ = false;
    // Rows changed that the control has not been told of, and the selection and focus then.
    bool countPending_ = false;
    std::vector<std::string> pendingSelection_;
    std::string pendingFocus_;
    // Rows this view listed itself whose news from the search module is still to come.
    std::unordered_set<std::string> awaitedNews_;
};
