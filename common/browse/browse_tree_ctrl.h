#pragma once

#include "basalt_api.h"
#include "ui/ui_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A tree of the namespace's folders and discs, read from the cache, in which the user picks a
// disc by clicking it. The owner window receives the tree's notifications and hands them to
// HandleNotify.
class BASALT_API BrowseTreeCtrl {
public:
    // Receives the network path of the disc clicked (empty for a folder).
    using DiscChosen = std::function<void(const std::string& networkPath)>;

    // Creates and fills the tree at rect (owner's client coordinates). With notifyMapDialog a
    // click is passed at once to onDiscChosen and a double click does nothing more; without,
    // a double click on an item also posts OK to the owner. Throws when the tree cannot be made.
    BrowseTreeCtrl(HWND owner, const RECT& rect, UINT id, bool notifyMapDialog, DiscChosen onDiscChosen = {});
    ~BrowseTreeCtrl();
    BrowseTreeCtrl(const BrowseTreeCtrl&) = delete;
    BrowseTreeCtrl& operator=(const BrowseTreeCtrl&) = delete;

    HWND Window() const { return window_; }
    // The network path of the disc last clicked; empty when the last click was not on a disc.
    std::string GetSelectedMediaItem() const { return selectedPath_; }
    // A WM_NOTIFY the owner received; true when it was this tree's and was handled.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    // Adds the item-type images from the branding library so that an item's image index is
    // its type number (0 to 12): 32 by 32 icons when largeIcons is non-zero, else 16 by 16. An
    // icon that cannot be loaded leaves a blank image in its place. The link overlay becomes
    // overlay image 1, the shared-folder overlay image 2. False when an image was left blank.
    static bool InitImageList(int largeIcons, HIMAGELIST images);

private:
    struct Entry;

    void FillTree(HTREEITEM parent, const std::string& location, bool shortcuts);
    HTREEITEM Insert(HTREEITEM parent, const std::string& text, int image, UINT state, Entry* entry);
    static int CALLBACK CompareEntries(LPARAM a, LPARAM b, LPARAM sortWord);
    // The entry of the item a click at the message's position landed on, or null.
    Entry* EntryUnderClick() const;
    void TakeClick(bool doubleClick);

    HWND owner_;
    bool notifyMapDialog_;
    DiscChosen onDiscChosen_;
    ScopedImageList images_;
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::string selectedPath_;
};
