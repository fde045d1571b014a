#include "browse/browse_tree_ctrl.h"

#include "cache/cache.h"
#include "item/item.h"

#include <stdexcept>

namespace {

// Between a disc's name and its network path in the tree.
constexpr char kPathSeparator[] = "     :   ";
// The ListItem comparison ascending on its first column.
constexpr LPARAM kSortByName = MAKELPARAM(0, 1);
constexpr int kLinkOverlay = 1;
constexpr int kPlainStateImage = 1;
constexpr int kShortcutStateImage = 2;

// Whether a folder's items lie one level below it. A name that is empty, or that holds what
// no name may (a backslash among them), would lead back to the folder itself or elsewhere in
// the tree, and the tree would never end: such a folder is shown without its items.
bool LeadsDeeper(const CacheItem& folder)
{
    const std::string& name = folder.Name;
    return name.find_first_not_of(' ') != std::string::npos && name != "." && name != ".." &&
           Cache::IsValidName(name);
}

} // namespace

// The data of one tree item. The network path is kept apart from the text, which a colon in
// a disc's name would make ambiguous.
struct BrowseTreeCtrl::Entry {
    Entry(const std::string& text, ListItemType type, std::string path) : item(text, type), networkPath(std::move(path)) {}
    ListItem item;
    std::string networkPath;   // empty for folders
};

BrowseTreeCtrl::BrowseTreeCtrl(HWND owner, const RECT& rect, UINT id, bool notifyMapDialog, DiscChosen onDiscChosen)
    : owner_(owner), notifyMapDialog_(notifyMapDialog), onDiscChosen_(std::move(onDiscChosen)),
      images_(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 13, 4))
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!images_)
        throw std::runtime_error("no image list for the disc tree");
    InitImageList(0, images_.Get());

    window_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                    TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(owner, GWLP_HINSTANCE)), nullptr);
    if (!window_)
        throw std::runtime_error("the disc tree could not be created");
    TreeView_SetImageList(window_, images_.Get(), TVSIL_NORMAL);

    // One repaint when the tree is full instead of one per item.
    ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    FillTree(TVI_ROOT, "", true);
    ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    TreeView_Expand(window_, TreeView_GetRoot(window_), TVE_EXPAND);
    ::InvalidateRect(window_, nullptr, TRUE);
}

BrowseTreeCtrl::~BrowseTreeCtrl()
{
    // The window goes before the image list it shows and the entries its items point to.
    if (window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
}

HTREEITEM BrowseTreeCtrl::Insert(HTREEITEM parent, const std::string& text, int image, UINT state, Entry* entry)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;   // sorted once the folder is complete
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.state = state;
    insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK;
    insert.item.lParam = reinterpret_cast<LPARAM>(entry);
    return TreeView_InsertItem(window_, &insert);
}

void BrowseTreeCtrl::FillTree(HTREEITEM parent, const std::string& location, bool shortcuts)
{
    Cache cache(CacheReadFolder, location);
    if (parent == TVI_ROOT) {
        CacheItem root;
        cache.GetOpenedFolderData(root);
        entries_.push_back(std::make_unique<Entry>(root.Name, root.ItemType, std::string()));
        parent = Insert(TVI_ROOT, root.Name, root.ItemType, INDEXTOSTATEIMAGEMASK(kPlainStateImage),
                        entries_.back().get());
        if (!parent)
            return;
    }

    for (CacheIterator it = cache.Begin(); it != cache.End(); ++it) {
        const CacheItem* item = *it;
        if (!item || item->ItemType == LaunchObject)
            continue;
        std::string text = item->Name;
        std::string path;
        UINT state = INDEXTOSTATEIMAGEMASK(kPlainStateImage);
        if (item->IsMedia()) {
            path = item->Location + "\\" + (item->OriginalName.empty() ? item->Name : item->OriginalName);
            text += kPathSeparator + path;
            if (shortcuts)
                state = INDEXTOOVERLAYMASK(kLinkOverlay) | INDEXTOSTATEIMAGEMASK(kShortcutStateImage);
        }
        entries_.push_back(std::make_unique<Entry>(text, item->ItemType, path));
        const HTREEITEM inserted = Insert(parent, text, item->ItemType, state, entries_.back().get());
        if (inserted && item->IsFolder() && LeadsDeeper(*item))
            FillTree(inserted, location.empty() ? item->Name : location + "\\" + item->Name,
                     !item->IsSystemFolder());
    }

    TVSORTCB sort{};
    sort.hParent = parent;
    sort.lpfnCompare = &BrowseTreeCtrl::CompareEntries;
    sort.lParam = kSortByName;
    TreeView_SortChildrenCB(window_, &sort, FALSE);
}

int CALLBACK BrowseTreeCtrl::CompareEntries(LPARAM a, LPARAM b, LPARAM sortWord)
{
    return ListItem::CompareListItems(reinterpret_cast<LPARAM>(&reinterpret_cast<const Entry*>(a)->item),
                                      reinterpret_cast<LPARAM>(&reinterpret_cast<const Entry*>(b)->item), sortWord);
}

BrowseTreeCtrl::Entry* BrowseTreeCtrl::EntryUnderClick() const
{
    const DWORD position = ::GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(position));
    hit.pt.y = static_cast<short>(HIWORD(position));
    ::ScreenToClient(window_, &hit.pt);
    const HTREEITEM item = TreeView_HitTest(window_, &hit);
    if (!item || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
        return nullptr;
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!TreeView_GetItem(window_, &data))
        return nullptr;
    return reinterpret_cast<Entry*>(data.lParam);
}

void BrowseTreeCtrl::TakeClick(bool doubleClick)
{
    const Entry* entry = EntryUnderClick();
    if (!entry)
        return;
    selectedPath_ = entry->networkPath;
    if (notifyMapDialog_) {
        if (!doubleClick && onDiscChosen_)
            onDiscChosen_(selectedPath_);
        return;
    }
    if (doubleClick)
        ::PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

bool BrowseTreeCtrl::HandleNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != window_ || (header.code != NM_CLICK && header.code != NM_DBLCLK))
        return false;
    TakeClick(header.code == NM_DBLCLK);
    result = 0;   // the tree goes on with its own handling (selection, expansion)
    return true;
}
