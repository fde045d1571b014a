#include "view_list_ctrl.h"

#include "cache/cache.h"
#include "folder/item_attributes.h"
#include "folder/shell_folder.h"
#include "folder/shell_folder_mgr.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/wait_cursor.h"
#include "view/view_commands.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <unordered_set>

namespace {

constexpr int kColumnWidth = 120;

const DWORD kViewModeStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

int ClampedViewMode(int mode) { return mode >= 1 && mode <= 4 ? mode : 4; }

UINT ColumnTextId(ViewColumn column) { return IDS_COLUMN_NAME + static_cast<UINT>(column); }

} // namespace

ShellViewListCtrl::ShellViewListCtrl(HWND parent, const RECT& rect, int viewMode, Context context, HINSTANCE branding)
    : context_(std::move(context)), images_(branding)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_EDITLABELS |
                        LVS_SHOWSELALWAYS | kViewModeStyles[ClampedViewMode(viewMode) - 1];
    list_ = ::CreateWindowExA(0, WC_LISTVIEWA, "", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                              nullptr, nullptr);
    if (!list_)
        throw std::runtime_error("the list control could not be created");
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    // The overlay is the rows' own: the control asks for it as it asks for texts.
    ListView_SetCallbackMask(list_, LVIS_OVERLAYMASK | LVIS_CUT);
    ListView_SetImageList(list_, images_.Small(), LVSIL_SMALL);
    ListView_SetImageList(list_, images_.Large(), LVSIL_NORMAL);
    AddColumns();
    // Launch-object icons come back to the parent window, which passes them on here.
    icons_ = std::make_unique<LaunchObjectIconManager>(parent);
    Cache folder(CacheFolderOnly, context_.folderPath);
    folder.GetOpenedFolderData(folderItem_);
    RegisterAsDropTarget();
}

ShellViewListCtrl::~ShellViewListCtrl()
{
    icons_.reset();   // the worker ends before the window goes
    if (dropTargetRegistered_)
        ::RevokeDragDrop(list_);
    ole_.reset();
    if (list_ && ::IsWindow(list_))
        ::DestroyWindow(list_);
}

bool ShellViewListCtrl::ShowsAllDiscs() const
{
    return EqualsNoCase(context_.folderPath, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
}

void ShellViewListCtrl::AddColumns()
{
    columns_ = {ViewColumn::Name, ViewColumn::Type, ViewColumn::Comment, ViewColumn::Server};
    // Outside a full Explorer window (a file dialog, a search) the folder of each item is shown.
    if (!context_.fullBrowser)
        columns_.insert(columns_.begin() + 1, ViewColumn::InFolder);
    for (size_t i = 0; i < columns_.size(); ++i) {
        std::string title = CommonText(ColumnTextId(columns_[i]));
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = kColumnWidth;
        column.pszText = title.data();
        column.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(list_, static_cast<int>(i), &column);
    }
}

int ShellViewListCtrl::ImageFor(const CacheItem& item) const { return images_.ImageOf(item.ItemType); }

std::string ShellViewListCtrl::TextOf(const ViewRow& row, int column) const
{
    if (column < 0 || column >= ColumnCount())
        return {};
    return ViewRows::ColumnText(row.item, columns_[static_cast<size_t>(column)]);
}

// Rows change in bursts (a search's notifications): the model changes at once, and the control
// is told the new count once the burst is over (telling it costs milliseconds each time under
// Wine). The selection and the focus stay on the same items, wherever they move.
template <class Change>
void ShellViewListCtrl::ChangeRows(Change&& change)
{
    if (!countPending_) {
        pendingSelection_.clear();
        for (const size_t index : ListedSelection())
            pendingSelection_.push_back(rows_.At(index).identity);
        const int focused = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
        pendingFocus_ = focused >= 0 && static_cast<size_t>(focused) < rows_.Size()
                            ? rows_.At(static_cast<size_t>(focused)).identity
                            : std::string();
    }
    change();
    if (!countPending_) {
        countPending_ = true;
        if (!::PostMessageA(::GetParent(list_), kApplyRowsMessage, 0, 0))
            ApplyRows();
    }
}

void ShellViewListCtrl::ApplyRows()
{
    if (!countPending_)
        return;
    countPending_ = false;
    updatingSelection_ = true;
    ListView_SetItemCountEx(list_, static_cast<int>(rows_.Size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (!pendingSelection_.empty() || !pendingFocus_.empty()) {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        const std::unordered_set<std::string> selected(pendingSelection_.begin(), pendingSelection_.end());
        for (size_t i = 0; i < rows_.Size(); ++i) {
            const std::string& identity = rows_.At(i).identity;
            UINT state = selected.count(identity) ? LVIS_SELECTED : 0;
            if (identity == pendingFocus_)
                state |= LVIS_FOCUSED;
            if (state)
                ListView_SetItemState(list_, static_cast<int>(i), state, state);
        }
    }
    updatingSelection_ = false;
    ::InvalidateRect(list_, nullptr, FALSE);
    UpdateStatusText();
}

void ShellViewListCtrl::Fill()
{
    ChangeRows([this] {
        std::vector<CacheItem> items;
        std::vector<int> images;
        {
            Cache folder(CacheReadFolder, context_.folderPath);
            folder.GetOpenedFolderData(folderItem_);
            items.reserve(folder.ItemCount());
            for (CacheIterator it = folder.Begin(); it != folder.End(); ++it) {
                if (!*it)
                    continue;
                items.push_back(**it);
                images.push_back(ImageFor(items.back()));
                if (items.back().ItemType == LaunchObject)
                    icons_->AddItem(items.back());
            }
        }
        std::vector<CacheItem> shared;
        for (const CacheItem& item : items) {
            if (ShowsAsShared(item))
                shared.push_back(item);
        }
        rows_.Assign(std::move(items), images);
        for (const CacheItem& item : shared)
            rows_.SetShared(item, true);
        std::unordered_set<std::string> listed;
        for (size_t i = 0; i < rows_.Size(); ++i)
            listed.insert(rows_.At(i).identity);
        images_.KeepOwnImagesOf(listed);
    });
}

bool ShellViewListCtrl::AddItem(const CacheItem& item)
{
    if (rows_.Find(item)) {
        // The news of a row listed here already: the module's record is the one to show.
        if (awaitedNews_.erase(ViewRows::IdentityOf(item.Name, item.Location)) > 0)
            return UpdateItem(item);
        Logging::OutToLogFile("An item with the same name (and location) already exists.\n");
        LogFormatted("\t Name='%s'   Location='%s'\n", item.Name, item.Location);
        return false;
    }
    ChangeRows([&] {
        rows_.Insert(item, ImageFor(item));
        rows_.SetShared(item, ShowsAsShared(item));
    });
    if (item.ItemType == LaunchObject)
        icons_->AddItem(item);
    return true;
}

void ShellViewListCtrl::ShowItemMadeHere(const CacheItem& item)
{
    if (rows_.Find(item))
        return;   // the module's news came first
    AddItem(item);
    awaitedNews_.insert(ViewRows::IdentityOf(item.Name, item.Location));
}

bool ShellViewListCtrl::RemoveItem(const CacheItem& item)
{
    if (!rows_.Find(item))
        return false;
    ChangeRows([&] { rows_.Remove(item); });
    images_.ReleaseOwnImage(ViewRows::IdentityOf(item.Name, item.Location));
    return true;
}

bool ShellViewListCtrl::UpdateItem(const CacheItem& item)
{
    if (!rows_.Find(item))
        return false;
    ChangeRows([&] {
        rows_.Update(item);
        rows_.SetImage(item, ImageFor(item));
        rows_.SetShared(item, ShowsAsShared(item));
    });
    if (item.ItemType == LaunchObject)
        icons_->AddItem(item);
    return true;
}

void ShellViewListCtrl::SearchDone()
{
    // The search module sends only what changed: the rows that stayed are read again with the rest.
    if (ShowsAllDiscs())
        Fill();
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    ::MessageBeep(MB_OK);
}

void ShellViewListCtrl::TakeFinishedIcons()
{
    bool changed = false;
    for (LaunchObjectIcons& finished : icons_->TakeFinished()) {
        if (!rows_.Find(finished.Item))
            continue;   // removed while its icons were read
        const int image = images_.SetOwnImage(ViewRows::IdentityOf(finished.Item.Name, finished.Item.Location),
                                              finished.Small.Get(), finished.Large.Get());
        if (image >= 0)
            changed |= rows_.SetImage(finished.Item, image);
    }
    if (changed)
        ::InvalidateRect(list_, nullptr, FALSE);
}

std::vector<size_t> ShellViewListCtrl::SelectedRows()
{
    ApplyRows();
    return ListedSelection();
}

std::vector<size_t> ShellViewListCtrl::ListedSelection() const
{
    std::vector<size_t> selected;
    for (int at = ListView_GetNextItem(list_, -1, LVNI_SELECTED); at >= 0 && static_cast<size_t>(at) < rows_.Size();
         at = ListView_GetNextItem(list_, at, LVNI_SELECTED))
        selected.push_back(static_cast<size_t>(at));
    return selected;
}

std::vector<CacheItem> ShellViewListCtrl::SelectedItems()
{
    std::vector<CacheItem> items;
    for (const size_t index : SelectedRows())
        items.push_back(rows_.At(index).item);
    return items;
}

std::vector<ListItemType> ShellViewListCtrl::SelectedTypes()
{
    std::vector<ListItemType> types;
    for (const size_t index : SelectedRows())
        types.push_back(rows_.At(index).item.ItemType);
    return types;
}

int ShellViewListCtrl::ViewMode() const
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(list_, GWL_STYLE)) & LVS_TYPEMASK;
    for (int mode = 1; mode <= 4; ++mode) {
        if (kViewModeStyles[mode - 1] == style)
            return mode;
    }
    return 4;
}

void ShellViewListCtrl::SetViewMode(int mode)
{
    const LONG_PTR style = ::GetWindowLongPtrA(list_, GWL_STYLE);
    ::SetWindowLongPtrA(list_, GWL_STYLE, (style & ~LONG_PTR{LVS_TYPEMASK}) | kViewModeStyles[ClampedViewMode(mode) - 1]);
    ::InvalidateRect(list_, nullptr, TRUE);
}

ViewState ShellViewListCtrl::Layout() const
{
    ViewState state;
    const auto column = std::find(columns_.begin(), columns_.end(), rows_.SortColumn());
    state.sortColumn = column == columns_.end() ? 0 : static_cast<int>(column - columns_.begin());
    state.ascending = rows_.Ascending();
    for (int i = 0; i < ColumnCount() && i < ViewState::kColumns; ++i)
        state.widths[static_cast<size_t>(i)] = ListView_GetColumnWidth(list_, i);
    return state;
}

void ShellViewListCtrl::ApplyLayout(const std::optional<ViewState>& state)
{
    if (!state) {
        SortByColumn(0, true);
        return;
    }
    for (int i = 0; i < ColumnCount() && i < ViewState::kColumns; ++i)
        ListView_SetColumnWidth(list_, i, ViewState::UsableWidth(state->widths[static_cast<size_t>(i)]));
    SortByColumn(state->sortColumn, state->ascending);
}

void ShellViewListCtrl::SortByColumn(int column, bool ascending)
{
    if (column < 0 || column >= ColumnCount())
        column = 0;
    ChangeRows([&] { rows_.Sort(columns_[static_cast<size_t>(column)], ascending); });
}

void ShellViewListCtrl::OnColumnClick(int column)
{
    if (column < 0 || column >= ColumnCount())
        return;
    const bool sameColumn = columns_[static_cast<size_t>(column)] == rows_.SortColumn();
    SortByColumn(column, sameColumn ? !rows_.Ascending() : true);
}

void ShellViewListCtrl::OnGetDisplayInfo(NMLVDISPINFOA& info) const
{
    LVITEMA& item = info.item;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.Size())
        return;
    const ViewRow& row = rows_.At(static_cast<size_t>(item.iItem));
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string text = TextOf(row, item.iSubItem);
        const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, text.data(), length);
        item.pszText[length] = '\0';
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = row.image;
    if (row.shared) {
        item.mask |= LVIF_STATE;
        item.state = (item.state & ~LVIS_OVERLAYMASK) | INDEXTOOVERLAYMASK(ItemImages::kSharedOverlay);
        item.stateMask |= LVIS_OVERLAYMASK;
    }
    if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_CUT)) {
        item.state &= ~LVIS_CUT;
        if (ShellFolderMgr::IsCutPending(FolderPathOf(row.item), row.item.Name))
            item.state |= LVIS_CUT;
    }
}

LRESULT ShellViewListCtrl::OnFindItem(const NMLVFINDITEMA& find) const
{
    // Typing a name's first letters finds the next row that starts with them.
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || rows_.Size() == 0)
        return -1;
    const std::string wanted = find.lvfi.psz;
    const size_t start = find.iStart >= 0 ? static_cast<size_t>(find.iStart) % rows_.Size() : 0;
    for (size_t step = 0; step < rows_.Size(); ++step) {
        const size_t index = (start + step) % rows_.Size();
        const std::string& name = rows_.At(index).item.Name;
        if (name.size() >= wanted.size() && EqualsNoCase(name.substr(0, wanted.size()), wanted))
            return static_cast<LRESULT>(index);
    }
    return -1;
}

bool ShellViewListCtrl::OnBeginLabelEdit(const NMLVDISPINFOA& info)
{
    if (info.item.iItem < 0 || static_cast<size_t>(info.item.iItem) >= rows_.Size())
        return false;
    renaming_ = rows_.At(static_cast<size_t>(info.item.iItem)).identity;
    return true;
}

void ShellViewListCtrl::OnEndLabelEdit(const NMLVDISPINFOA& info)
{
    std::string identity = std::move(renaming_);
    renaming_.clear();
    if (!info.item.pszText || identity.empty())
        return;   // cancelled
    RenameRow(identity, info.item.pszText);
}

void ShellViewListCtrl::OnDoubleClick()
{
    Logging::OutToLogFile("ShellViewListCtrl::OnDblClk()\n");
    ExecuteOnSelection(ListView_GetSelectedCount(list_) > 1 ? view_command::kOpen : 0);
}

bool ShellViewListCtrl::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != list_)
        return false;
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOA:
        OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
        return true;
    case LVN_ODFINDITEMA:
        result = OnFindItem(reinterpret_cast<const NMLVFINDITEMA&>(header));
        return true;
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return true;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
        if (!updatingSelection_)
            UpdateStatusText();
        return true;
    case LVN_BEGINLABELEDITA:
        result = OnBeginLabelEdit(reinterpret_cast<const NMLVDISPINFOA&>(header)) ? FALSE : TRUE;
        return true;
    case LVN_ENDLABELEDITA:
        // The rows are this list's own: the new name shows once the search module reports it.
        OnEndLabelEdit(reinterpret_cast<const NMLVDISPINFOA&>(header));
        result = FALSE;
        return true;
    case NM_DBLCLK:
        OnDoubleClick();
        return true;
    case LVN_BEGINDRAG:
    case LVN_BEGINRDRAG:
        BeginDrag();
        return true;
    case NM_RETURN:
        Logging::OutToLogFile("ShellViewListCtrl::OnReturn()\n");
        ExecuteOnSelection(ListView_GetSelectedCount(list_) > 1 ? view_command::kOpen : 0);
        return true;
    default:
        return false;
    }
}

void ShellViewListCtrl::SelectAll()
{
    ApplyRows();
    updatingSelection_ = true;
    ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
    updatingSelection_ = false;
    UpdateStatusText();
}

void ShellViewListCtrl::InvertSelection()
{
    ApplyRows();
    updatingSelection_ = true;
    for (size_t i = 0; i < rows_.Size(); ++i) {
        const int index = static_cast<int>(i);
        const UINT state = ListView_GetItemState(list_, index, LVIS_SELECTED);
        ListView_SetItemState(list_, index, state & LVIS_SELECTED ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    }
    updatingSelection_ = false;
    UpdateStatusText();
}

void ShellViewListCtrl::StartRename()
{
    ApplyRows();
    const std::vector<size_t> selected = SelectedRows();
    if (selected.size() != 1)
        return;
    ::SetFocus(list_);
    ListView_EditLabel(list_, static_cast<int>(selected.front()));
}

void ShellViewListCtrl::UpdateStatusText()
{
    const UINT selected = ListView_GetSelectedCount(list_);
    SetStatusText(selected > 0 ? FormatText(CommonText(IDS_STATUS_SELECTED_COUNT_FMT), static_cast<int>(selected))
                               : FormatText(CommonText(IDS_STATUS_OBJECT_COUNT_FMT), static_cast<int>(rows_.Size())));
}

void ShellViewListCtrl::SetStatusText(const std::string& text) const
{
    if (!context_.browser)
        return;
    // Explorer windows without a status bar answer E_NOTIMPL: nothing to show it in.
    LRESULT ignored = 0;
    context_.browser->SendControlMsg(FCW_STATUS, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()), &ignored);
}
