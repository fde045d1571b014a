// The namespace's view against plain work on the same rows, measured side by side in one run:
//  1. opening the all-discs folder of 10,000 discs in the view (CreateViewWindow until the list
//     holds every row), against reading the same folder with the cache alone;
//  2. sorting those 10,000 rows by a column, against sorting the same rows in memory with the
//     list-item comparison;
//  3. 1,000 AddItem notifications of a search reaching a view of 9,000 rows, against the view
//     taking the same rows at once (filled again from the cache).
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "folder/shell_folder.h"
#include "item/item.h"
#include "list/view_list_ctrl.h"
#include "registry/registry.h"
#include "search_module_access.h"
#include "view/shell_view.h"

#include "scripted_server.h"
#include "side_by_side.h"
#include "support/branding_loaded.h"
#include "support/cache_tree.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"
#include "test_shell_browser.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace side_by_side;

namespace {

constexpr int kServers = 200;
constexpr int kDiscsPerServer = 50;
constexpr int kDiscsAddedBySearch = 1000;

CacheItem Disc(int server, int disc)
{
    CacheItem item;
    item.Name = item.OriginalName = "DISC" + std::to_string(disc);
    item.Location = "\\\\SERVER" + std::to_string(server);
    item.ItemType = disc % 7 == 0 ? JazDisc : CdRomDisc;
    item.Type = item.ItemType == JazDisc ? "Jaz Disk" : "CD/DVD";
    item.Comment = "Share comment " + std::to_string((disc * 7919 + server) % 1000);
    return item;
}

// The all-discs folder holds the discs of servers [0, servers), each with kDiscsPerServer.
void FillAllDiscs(int servers)
{
    Cache update(CacheServerUpdate, "");
    for (int s = 0; s < kServers; ++s) {
        update.StartingWithNewServer("\\\\SERVER" + std::to_string(s));
        if (s < servers) {
            for (int d = 0; d < kDiscsPerServer; ++d)
                update.AddServerMedia(Disc(s, d));
        }
        std::vector<CacheItem> removed;
        update.DoneWithServer("\\\\SERVER" + std::to_string(s), removed);
    }
}

// A view of the all-discs folder in a test-owned Explorer window.
class ViewOfAllDiscs {
public:
    explicit ViewOfAllDiscs(ShellFolder& folder) : browser_(MakeComObject<TestShellBrowser>())
    {
        ComPtr<IShellView> view;
        folder.CreateViewObject(nullptr, IID_PPV_ARGS(&view));
        view_ = static_cast<ShellView*>(view.Get());
    }
    ~ViewOfAllDiscs() { Close(); }

    double OpenTimed()
    {
        FOLDERSETTINGS settings{FVM_DETAILS, 0};
        RECT rect{0, 0, 800, 600};
        HWND window = nullptr;
        const double ms = Milliseconds([&] { view_->CreateViewWindow(nullptr, &settings, browser_.Get(), &rect, &window); });
        open_ = window != nullptr;
        return ms;
    }
    void Open() { OpenTimed(); }
    bool Opens()
    {
        if (view_)
            OpenTimed();
        return open_;
    }
    void Close()
    {
        if (open_)
            view_->DestroyViewWindow();
        open_ = false;
    }
    ShellView& View() { return *view_.Get(); }
    ShellViewListCtrl& List() { return *view_->List(); }

private:
    ComPtr<TestShellBrowser> browser_;
    ComPtr<ShellView> view_;
    bool open_ = false;
};

} // namespace

int main()
{
    OleApartment apartment;
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    TempDirectory folder;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
    machine.SetStringValue("Program Path", folder.Path());
    machine.SetDWORDValue("Installed Version", 387);   // an administrator: the folder is the database
    MakeFolder("", "Network Storage", RootFolder);
    MakeFolder("All Discs", "All Discs", SystemFolder);
    FillAllDiscs(kServers);

    auto server = MakeComObject<ScriptedServer>();
    SetSearchModuleOverride(static_cast<INotifyNSServer*>(server.Get()));
    auto root = MakeComObject<ShellFolder>();
    LPITEMIDLIST drives = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives);
    root->Initialize(drives);
    ::CoTaskMemFree(drives);
    CacheItem allDiscsItem;
    allDiscsItem.Name = allDiscsItem.OriginalName = "All Discs";
    allDiscsItem.ItemType = SystemFolder;
    PidlMgr pidls;
    ScopedPidl child(pidls.Create(allDiscsItem, ""));
    ComPtr<IShellFolder> bound;
    const HRESULT boundResult = root->BindToObject(child.get(), nullptr, IID_PPV_ARGS(&bound));
    if (!bound) {
        std::fprintf(stderr, "view_bench: the all-discs folder cannot be bound (0x%08lX)\n",
                     static_cast<unsigned long>(boundResult));
        return 1;
    }
    auto& allDiscs = *static_cast<ShellFolder*>(bound.Get());
    {
        ViewOfAllDiscs probe(allDiscs);
        if (!probe.Opens()) {
            std::fprintf(stderr, "view_bench: the view cannot be opened\n");
            return 1;
        }
    }

    std::printf("view benchmarks (%d discs in the all-discs folder)\n", kServers * kDiscsPerServer);
    {
        size_t rows = 0;
        const auto view = [&] {
            ViewOfAllDiscs open(allDiscs);
            const double ms = open.OpenTimed();
            rows = open.List().RowCount();
            return ms;
        };
        const auto cache = [&] {
            return Milliseconds([&] {
                std::vector<CacheItem> items;
                Cache all(CacheReadFolder, "All Discs");
                for (CacheIterator it = all.Begin(); it != all.End(); ++it)
                    items.push_back(**it);
            });
        };
        Report("open the all-discs folder in the view (10,000 rows)", MeasureSelfTimed(view, cache), 3.0);
        if (rows != static_cast<size_t>(kServers * kDiscsPerServer))
            std::printf("  the view held %zu rows\n", rows);
    }
    {
        ViewOfAllDiscs open(allDiscs);
        open.Open();
        std::vector<CacheItem> items;
        for (size_t i = 0; i < open.List().RowCount(); ++i)
            items.push_back(open.List().Row(i).item);
        std::vector<ListItem> listItems;
        listItems.reserve(items.size());
        for (const CacheItem& item : items) {
            ListItem row(item.Name, item.ItemType);
            row.AddToItem(item.Type, item.ItemType);
            row.AddToItem(item.Comment, item.ItemType);
            row.AddToItem(item.Location, item.ItemType);
            listItems.push_back(row);
        }
        constexpr int kCommentColumn = 2;
        const auto view = [&] {
            open.List().SortByColumn(0, true);
            return Milliseconds([&] { open.List().SortByColumn(kCommentColumn, true); });
        };
        const auto memory = [&] {
            std::vector<const ListItem*> order;
            for (const ListItem& row : listItems)
                order.push_back(&row);
            return Milliseconds([&] {
                std::sort(order.begin(), order.end(), [](const ListItem* a, const ListItem* b) {
                    return ListItem::CompareListItems(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b),
                                                      MAKELPARAM(kCommentColumn, 1)) < 0;
                });
            });
        };
        Report("sort the 10,000 rows by a column", MeasureSelfTimed(view, memory), 2.0);
    }
    {
        // The last servers' discs arrive during a search, one notification each.
        const int keptServers = kServers - kDiscsAddedBySearch / kDiscsPerServer;
        std::vector<CacheItem> added;
        for (int s = keptServers; s < kServers; ++s) {
            for (int d = 0; d < kDiscsPerServer; ++d)
                added.push_back(Disc(s, d));
        }
        for (CacheItem& disc : added)
            disc.InitStruct();
        FillAllDiscs(keptServers);
        ViewOfAllDiscs open(allDiscs);
        open.Open();
        FillAllDiscs(kServers);
        const auto notifications = [&] {
            open.View().Refresh();
            for (const CacheItem& disc : added)
                open.View().RemoveItem(disc.Record);
            TestShellBrowser::PumpMessages(0);
            return Milliseconds([&] {
                for (const CacheItem& disc : added)
                    open.View().AddItem(disc.Record);
                TestShellBrowser::PumpMessages(0);   // the burst is over: the control is told
            });
        };
        const auto atOnce = [&] {
            for (const CacheItem& disc : added)
                open.View().RemoveItem(disc.Record);
            TestShellBrowser::PumpMessages(0);
            return Milliseconds([&] {
                open.View().Refresh();
                TestShellBrowser::PumpMessages(0);
            });
        };
        Report("1,000 AddItem notifications into a view of 9,000 rows", MeasureSelfTimed(notifications, atOnce), 3.0);
    }
    SetSearchModuleOverride(nullptr);
    return 0;
}
