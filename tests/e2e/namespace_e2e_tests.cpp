// The namespace as Explorer uses it, in a Wine prefix where the suite is installed and the
// search module has searched the simulated network (run_namespace_e2e_tests.sh): the library
// is found through the registry and loaded by the shell, views are made in a test-owned
// Explorer window, and Wine's own Explorer is opened on the namespace.

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "com/com_module.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"

#include "shellext/test_shell_browser.h"
#include "support/branding_loaded.h"
#include "support/prompt_recorder.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}

namespace {

constexpr UINT kNewFolder = 0x4E5;
constexpr UINT kDelete = 0x4E7;
constexpr char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// The discs of the simulated network (tools/demo/network.txt) that the search finds.
const std::set<std::string> kDiscs = {"OFFICE2026", "TRAINING", "BACKUP01", "DRIVERS", "CATALOGUE"};

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Runs the thread's messages until the condition holds; false when it did not in time.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        TestShellBrowser::PumpMessages(20);
    }
    return true;
}

HWND FindDescendant(HWND parent, const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search{className, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            char name[64] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (std::string(name) == s.className && ::IsWindowVisible(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The names in the first column of a list control of this process.
std::vector<std::string> RowsOf(HWND list)
{
    std::vector<std::string> rows;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[260] = {};
        ListView_GetItemText(list, i, 0, text, sizeof text);
        rows.push_back(text);
    }
    return rows;
}

bool Contains(const std::vector<std::string>& rows, const std::string& name)
{
    return std::find(rows.begin(), rows.end(), name) != rows.end();
}

std::string NamespaceClassId() { return BrandingText(IDS_BRAND_NAMESPACE_CLSID); }

// An open view of a folder in a test-owned Explorer window.
struct OpenView {
    ComPtr<TestShellBrowser> browser;
    ComPtr<IShellView> view;
    HWND window = nullptr;
    HWND list = nullptr;

    ~OpenView()
    {
        if (view)
            view->DestroyViewWindow();
    }
};

class NamespaceInExplorerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(branding_.IsLoaded());
        ASSERT_EQ(S_OK, ::SHGetDesktopFolder(&desktop_));
        // The path Explorer's address bar takes: My Computer, then the namespace's class.
        const std::wstring path = Wide(std::string(kMyComputer) + "\\::" + NamespaceClassId());
        ULONG eaten = 0;
        ASSERT_EQ(S_OK, desktop_->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(path.c_str()), &eaten,
                                                   &rootList_, nullptr));
        ASSERT_EQ(S_OK, desktop_->BindToObject(rootList_, nullptr, IID_PPV_ARGS(&root_)));
    }
    void TearDown() override { ::CoTaskMemFree(rootList_); }

    // The child of a folder with that display name (null when there is none).
    ComPtr<IShellFolder> Child(IShellFolder& folder, const std::string& name)
    {
        ComPtr<IEnumIDList> children;
        if (folder.EnumObjects(nullptr, SHCONTF_FOLDERS, &children) != S_OK)
            return nullptr;
        LPITEMIDLIST child = nullptr;
        ComPtr<IShellFolder> found;
        while (!found && children->Next(1, &child, nullptr) == S_OK) {
            STRRET display{};
            char text[MAX_PATH] = {};
            if (SUCCEEDED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER, &display)))
                ::StrRetToBufA(&display, child, text, MAX_PATH);
            if (name == text)
                folder.BindToObject(child, nullptr, IID_PPV_ARGS(&found));
            ::CoTaskMemFree(child);
        }
        return found;
    }

    std::unique_ptr<OpenView> Open(IShellFolder& folder)
    {
        auto open = std::make_unique<OpenView>();
        open->browser = MakeComObject<TestShellBrowser>();
        EXPECT_EQ(S_OK, folder.CreateViewObject(nullptr, IID_PPV_ARGS(&open->view)));
        if (!open->view)
            return open;
        FOLDERSETTINGS settings{FVM_DETAILS, 0};
        RECT rect{0, 0, 600, 400};
        EXPECT_EQ(S_OK, open->view->CreateViewWindow(nullptr, &settings, open->browser.Get(), &rect, &open->window));
        open->browser->activeView = open->view;
        open->list = FindDescendant(open->window, WC_LISTVIEWA);
        return open;
    }

    static std::set<std::string> CachedNames(const std::string& path)
    {
        std::set<std::string> names;
        Cache folder(CacheReadFolder, path);
        for (CacheIterator it = folder.Begin(); it != folder.End(); ++it)
            names.insert((*it)->Name);
        return names;
    }

    OleApartment apartment_;
    BrandingLoaded branding_;
    ComPtr<IShellFolder> desktop_;
    LPITEMIDLIST rootList_ = nullptr;
    ComPtr<IShellFolder> root_;
};

TEST_F(NamespaceInExplorerTest, ShowsTheDiscsFoundAndEveryViewFollowsAFolderMadeRenamedAndDeleted)
{
    ComPtr<IShellFolder> allDiscs = Child(*root_.Get(), BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
    ASSERT_TRUE(allDiscs) << "the root lists the folder of all discs";
    auto discs = Open(*allDiscs.Get());
    ASSERT_NE(nullptr, discs->list);
    const std::vector<std::string> rows = RowsOf(discs->list);
    EXPECT_EQ(kDiscs, std::set<std::string>(rows.begin(), rows.end()));

    auto first = Open(*root_.Get());
    auto second = Open(*root_.Get());
    ASSERT_NE(nullptr, first->list);
    ASSERT_NE(nullptr, second->list);

    // A new folder through the first view: the search module makes it and tells both views;
    // the user types its name at once.
    ::SetFocus(first->list);
    ::SendMessageA(first->window, WM_COMMAND, kNewFolder, 0);
    ASSERT_TRUE(PumpUntil([&] { return Contains(RowsOf(second->list), "New Folder"); }));
    HWND editor = ListView_GetEditControl(first->list);
    ASSERT_NE(nullptr, editor);
    ::SetWindowTextA(editor, "Projects");
    ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return Contains(RowsOf(second->list), "Projects"); }));
    EXPECT_FALSE(Contains(RowsOf(first->list), "New Folder"));
    EXPECT_TRUE(Contains(RowsOf(first->list), "Projects"));
    EXPECT_TRUE(CachedNames("").count("Projects"));
    EXPECT_FALSE(CachedNames("").count("New Folder"));
    // Not a disc view's business.
    EXPECT_FALSE(Contains(RowsOf(discs->list), "Projects"));

    // Deleted through the second view, after the user's yes.
    const std::vector<std::string> secondRows = RowsOf(second->list);
    const auto at = std::find(secondRows.begin(), secondRows.end(), "Projects") - secondRows.begin();
    ::SetFocus(second->list);
    ListView_SetItemState(second->list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(second->list, static_cast<int>(at), LVIS_SELECTED, LVIS_SELECTED);
    {
        PromptRecorder yes(IDYES);
        ::SendMessageA(second->window, WM_COMMAND, kDelete, 0);
        EXPECT_EQ(1u, yes.Prompts().size());
    }
    ASSERT_TRUE(PumpUntil([&] { return !Contains(RowsOf(first->list), "Projects"); }));
    EXPECT_FALSE(Contains(RowsOf(second->list), "Projects"));
    EXPECT_FALSE(CachedNames("").count("Projects"));
}

} // namespace

namespace {

// Another process's list control, read through memory of that process.
class RemoteList {
public:
    explicit RemoteList(HWND list) : list_(list)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(list, &processId);
        process_.Reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        if (process_)
            memory_ = ::VirtualAllocEx(process_.Get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteList()
    {
        if (memory_)
            ::VirtualFreeEx(process_.Get(), memory_, 0, MEM_RELEASE);
    }
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;

    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        if (!memory_)
            return rows;
        const int count = static_cast<int>(::SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
        auto* remoteText = static_cast<char*>(memory_) + 1024;
        for (int i = 0; i < count; ++i) {
            LVITEMA item{};
            item.iSubItem = 0;
            item.pszText = remoteText;
            item.cchTextMax = 260;
            SIZE_T done = 0;
            ::WriteProcessMemory(process_.Get(), memory_, &item, sizeof item, &done);
            ::SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory_));
            char text[261] = {};
            ::ReadProcessMemory(process_.Get(), remoteText, text, 260, &done);
            rows.push_back(text);
        }
        return rows;
    }

    // Selects and focuses one row, as a click would.
    bool Select(int index) const
    {
        if (!memory_)
            return false;
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SIZE_T done = 0;
        return ::WriteProcessMemory(process_.Get(), memory_, &item, sizeof item, &done) &&
               ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory_));
    }

private:
    HWND list_;
    ScopedKernelHandle process_;
    void* memory_ = nullptr;
};

HWND FindTopLevel(DWORD processId, const char* className)
{
    struct Search {
        DWORD processId;
        const char* className;
        HWND found;
    } search{processId, className, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            char name[64] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (owner == s.processId && std::string(name) == s.className && ::IsWindowVisible(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The list of our view inside an Explorer window.
HWND OurListIn(HWND explorer)
{
    HWND view = FindDescendant(explorer, "ShellvueViewWindow");
    return view ? FindDescendant(view, WC_LISTVIEWA) : nullptr;
}

// The window's pixels as they are on the screen, written as a 24-bit bitmap file.
bool SaveScreenshot(HWND window, const std::string& path)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
    const int lines = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (lines != height)
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    const ScopedFile out(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return out && ::WriteFile(out.Get(), &file, sizeof file, &written, nullptr) &&
           ::WriteFile(out.Get(), &header, sizeof header, &written, nullptr) &&
           ::WriteFile(out.Get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
}

std::string ScreenshotFolder()
{
    char folder[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("SUITE_SCREENSHOTS", folder, MAX_PATH) == 0)
        return JoinPath(DirectoryOf(ModuleFileName(nullptr)), "screenshots");
    return folder;
}

// Wine's Explorer, started on a folder and closed again with the test.
class ExplorerProcess {
public:
    explicit ExplorerProcess(const std::string& arguments)
    {
        std::string command = "explorer.exe " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            ::CloseHandle(started.hThread);
            process_.Reset(started.hProcess);
            id_ = started.dwProcessId;
        }
    }
    ~ExplorerProcess()
    {
        if (HWND frame = FindTopLevel(id_, "ExplorerWClass"))
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        if (process_ && ::WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(process_.Get(), 1);
    }
    ExplorerProcess(const ExplorerProcess&) = delete;
    ExplorerProcess& operator=(const ExplorerProcess&) = delete;

    DWORD Id() const { return id_; }

private:
    ScopedKernelHandle process_;
    DWORD id_ = 0;
};

TEST_F(NamespaceInExplorerTest, WinesExplorerShowsTheNamespaceAndBrowsesIntoTheDiscs)
{
    ExplorerProcess explorer("/e,C:\\");
    ASSERT_NE(0u, explorer.Id());
    HWND frame = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (frame = FindTopLevel(explorer.Id(), "ExplorerWClass")) != nullptr; }, 60000));
    // The namespace's path typed into the address box, as a user would.
    HWND address = FindDescendant(frame, WC_COMBOBOXEXA);
    HWND edit = address ? FindDescendant(address, WC_EDITA) : nullptr;
    ASSERT_NE(nullptr, edit);
    const std::string path = std::string(kMyComputer) + "\\::" + NamespaceClassId();
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    HWND list = nullptr;
    const std::string folder = ScreenshotFolder();
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const bool shown = PumpUntil([&] {
        frame = FindTopLevel(explorer.Id(), "ExplorerWClass");
        list = frame ? OurListIn(frame) : nullptr;
        return list && RemoteList(list).Rows().size() == 1;
    }, 60000);
    if (frame)
        SaveScreenshot(frame, folder + "\\explorer-root.bmp");
    ASSERT_TRUE(shown) << "Explorer shows our view of the root: frame " << frame << ", list " << list << ", view "
                 << (frame ? FindDescendant(frame, "ShellvueViewWindow") : nullptr) << ", any frame "
                 << ::FindWindowA("ExplorerWClass", nullptr);
    EXPECT_EQ(std::vector<std::string>{BrandingText(IDS_BRAND_ALL_DISCS_FOLDER)}, RemoteList(list).Rows());

    // The folder of all discs selected, Return opens it in this window.
    ASSERT_TRUE(RemoteList(list).Select(0));
    ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    std::vector<std::string> rows;
    ASSERT_TRUE(PumpUntil([&] {
        HWND current = OurListIn(frame);
        rows = current ? RemoteList(current).Rows() : std::vector<std::string>();
        return rows.size() == kDiscs.size();
    }, 30000)) << "the view of all discs replaces the root's";
    EXPECT_EQ(kDiscs, std::set<std::string>(rows.begin(), rows.end()));

    TestShellBrowser::PumpMessages(500);   // let it paint
    EXPECT_TRUE(SaveScreenshot(frame, folder + "\\explorer-all-discs.bmp"));
}

} // namespace
