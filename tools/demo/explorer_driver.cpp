#include "explorer_driver.h"

#include "base/module_path.h"
#include "text/ansi_text.h"

#include <commctrl.h>

namespace {

// A window of a class or title (and, for top-level windows, of a process) looked for among
// others.
struct WindowSearch {
    const char* className;   // null: any class
    DWORD processId;         // 0: any process
    HWND found;
    const char* title = nullptr;   // null: any title
};

// Named, not a lambda: 32-bit callbacks must be stdcall.
BOOL CALLBACK CheckWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    char text[256] = {};
    if (search.title)
        ::GetWindowTextA(window, text, sizeof text);
    if ((search.processId == 0 || owner == search.processId) &&
        (search.className == nullptr || std::string(name) == search.className) &&
        (search.title == nullptr || std::string(text) == search.title) && ::IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindDescendant(HWND parent, const char* className)
{
    WindowSearch search{className, 0, nullptr};
    ::EnumChildWindows(parent, &CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD processId, const char* className)
{
    WindowSearch search{className, processId, nullptr};
    ::EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelTitled(DWORD processId, const std::string& title)
{
    WindowSearch search{nullptr, processId, nullptr, title.c_str()};
    ::EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OurListIn(HWND explorer)
{
    HWND view = FindDescendant(explorer, "ShellvueViewWindow");
    return view ? FindDescendant(view, WC_LISTVIEWA) : nullptr;
}

bool SaveScreenshot(HWND window, const std::string& path)
{
    // Paints what is pending first; the window's thread has done so when this returns.
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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

RemoteMemory::RemoteMemory(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    process_.Reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (process_)
        memory_ = ::VirtualAllocEx(process_.Get(), nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory()
{
    if (memory_)
        ::VirtualFreeEx(process_.Get(), memory_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) const
{
    SIZE_T done = 0;
    return memory_ && offset + size <= kSize && ::WriteProcessMemory(process_.Get(), At(offset), data, size, &done) &&
           done == size;
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T done = 0;
    return memory_ && offset + size <= kSize && ::ReadProcessMemory(process_.Get(), At(offset), data, size, &done) &&
           done == size;
}

namespace {

// Where a control's text lands in the remote page, after the item record.
constexpr size_t kTextOffset = 1024;
constexpr int kLongestText = 260;
// How long a window of Explorer may take to answer before it counts as hung.
constexpr UINT kAnswerTimeoutMs = 60000;

} // namespace

RemoteList::RemoteList(HWND list) : list_(list), memory_(list) {}

std::vector<std::string> RemoteList::Rows() const
{
    std::vector<std::string> rows;
    if (!memory_)
        return rows;
    const int count = static_cast<int>(::SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMA item{};
        item.pszText = static_cast<char*>(memory_.At(kTextOffset));
        item.cchTextMax = kLongestText;
        memory_.Write(0, &item, sizeof item);
        ::SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory_.At(0)));
        char text[kLongestText + 1] = {};
        memory_.Read(kTextOffset, text, kLongestText);
        rows.push_back(text);
    }
    return rows;
}

bool RemoteList::Select(int index) const
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return memory_.Write(0, &item, sizeof item) &&
           ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory_.At(0)));
}

RemoteTree::RemoteTree(HWND tree) : tree_(tree), memory_(tree) {}

bool RemoteTree::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const
{
    // Explorer fills the tree from the namespace while it handles the message: wait for that,
    // but not on a window that no longer answers.
    DWORD_PTR answer = 0;
    const bool answered = ::SendMessageTimeoutW(tree_, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                                  &answer) != 0;
    result = static_cast<LRESULT>(answer);
    return answered;
}

std::string RemoteTree::Label(HTREEITEM item) const
{
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = static_cast<wchar_t*>(memory_.At(kTextOffset));
    request.cchTextMax = kLongestText;
    LRESULT found = 0;
    wchar_t text[kLongestText + 1] = {};
    if (!memory_.Write(0, &request, sizeof request) ||
        !Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory_.At(0)), found) || !found ||
        !memory_.Read(kTextOffset, text, kLongestText * sizeof(wchar_t)))
        return {};
    return AnsiFromWide(text);
}

std::vector<HTREEITEM> RemoteTree::Children(HTREEITEM parent) const
{
    std::vector<HTREEITEM> children;
    LRESULT next = 0;
    Send(TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent), next);
    while (next) {
        children.push_back(reinterpret_cast<HTREEITEM>(next));
        if (!Send(TVM_GETNEXTITEM, TVGN_NEXT, next, next))
            break;
    }
    return children;
}

std::vector<std::string> RemoteTree::ChildLabels(HTREEITEM parent) const
{
    std::vector<std::string> labels;
    for (HTREEITEM child : Children(parent))
        labels.push_back(Label(child));
    return labels;
}

bool RemoteTree::HasButton(HTREEITEM item) const
{
    TVITEMW request{};
    request.mask = TVIF_CHILDREN;
    request.hItem = item;
    LRESULT found = 0;
    return memory_.Write(0, &request, sizeof request) &&
           Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory_.At(0)), found) && found &&
           memory_.Read(0, &request, sizeof request) && request.cChildren != 0;
}

bool RemoteTree::Expand(HTREEITEM item) const
{
    // An item expanded before answers false: what counts is what it holds afterwards.
    LRESULT expanded = 0;
    return Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item), expanded) && !Children(item).empty();
}

bool RemoteTree::Select(HTREEITEM item) const
{
    LRESULT selected = 0;
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item), selected) && selected;
}

HTREEITEM RemoteTree::Find(const std::vector<std::string>& labels) const
{
    HTREEITEM found = nullptr;
    for (const std::string& label : labels) {
        if (found)
            Expand(found);
        HTREEITEM parent = found;
        found = nullptr;
        for (HTREEITEM child : Children(parent)) {
            if (Label(child) == label) {
                found = child;
                break;
            }
        }
        if (!found)
            return nullptr;
    }
    return found;
}

ExplorerProcess::ExplorerProcess(const std::string& arguments)
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

ExplorerProcess::~ExplorerProcess()
{
    if (HWND frame = Frame())
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    if (process_ && ::WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0)
        ::TerminateProcess(process_.Get(), 1);
}

bool ExplorerProcess::GoTo(const std::string& path) const
{
    HWND frame = Frame();
    HWND address = frame ? FindDescendant(frame, WC_COMBOBOXEXA) : nullptr;
    HWND edit = address ? FindDescendant(address, WC_EDITA) : nullptr;
    if (!edit)
        return false;
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0) != FALSE;
}

bool SaveScreenshotInBuild(HWND window, const std::string& name)
{
    const std::string bin = DirectoryOf(ModuleFileName(nullptr));
    const std::string screenshots = JoinPath(DirectoryOf(bin), "screenshots");
    ::CreateDirectoryA(screenshots.c_str(), nullptr);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A sent message returns once the window's thread has handled what came before it.
    ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    return SaveScreenshot(window, JoinPath(screenshots, name + ".bmp"));
}
