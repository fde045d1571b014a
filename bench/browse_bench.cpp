// The Browse Discs tree against plain reading of the same folders, measured side by side in
// one run: opening the tree of 5,000 disc shortcuts in 100 user folders (the tree control
// created and filled from the cache), against reading the root and the same 100 folders with
// the cache alone.
#include "browse/browse_tree_ctrl.h"
#include "cache/cache.h"
#include "item/item.h"
#include "registry/registry.h"

#include "cache_folders.h"
#include "side_by_side.h"
#include "support/cache_tree.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace side_by_side;

namespace {

constexpr int kFolders = 100;
constexpr int kDiscsPerFolder = 50;

void FillTree()
{
    // Names out of order, so that the tree has sorting to do.
    FillFolders(kFolders, kDiscsPerFolder,
                [](int f, int d) { return "DISC" + std::to_string((d * 37 + f) % kDiscsPerFolder); });
}

size_t ItemsBelow(HWND tree, HTREEITEM parent)
{
    size_t count = 0;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        count += 1 + ItemsBelow(tree, child);
    return count;
}

} // namespace

int main()
{
    const BenchInstallation installation;
    FillTree();

    HWND owner = ::CreateWindowExA(0, "STATIC", "browse_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                   nullptr, nullptr, nullptr, nullptr);
    if (!owner) {
        std::fprintf(stderr, "browse_bench: no window to hold the tree\n");
        return 1;
    }
    const RECT rect{8, 8, 620, 440};

    std::printf("browse benchmarks (%d discs in %d folders)\n", kFolders * kDiscsPerFolder, kFolders);
    size_t items = 0;
    const auto tree = [&] {
        const double ms = Milliseconds([&] {
            BrowseTreeCtrl browse(owner, rect, 2010, false);
            items = ItemsBelow(browse.Window(), TVI_ROOT);
        });
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        return ms;
    };
    const auto cache = [&] {
        return Milliseconds(ReadRootAndItsFolders);
    };
    Report("open the Browse Discs tree (5,000 discs in 100 folders)", MeasureSelfTimed(tree, cache), 3.0);
    const size_t expected = 1 + kFolders + kFolders * kDiscsPerFolder;
    if (items != expected)
        std::printf("  the tree held %zu items, not %zu\n", items, expected);
    ::DestroyWindow(owner);
    return 0;
}
