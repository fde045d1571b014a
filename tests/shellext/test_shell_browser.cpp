#include "test_shell_browser.h"

#include <commctrl.h>
#include <shlwapi.h>

namespace {

constexpr UINT kGetShellBrowser = WM_USER + 7;
constexpr char kWindowClass[] = "TestExplorerWindow";

} // namespace

LRESULT CALLBACK TestShellBrowser::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kGetShellBrowser) {
        auto* browser = reinterpret_cast<TestShellBrowser*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        return browser && browser->answerShellBrowserQuestion
                   ? reinterpret_cast<LRESULT>(static_cast<IShellBrowser*>(browser))
                   : 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TestShellBrowser::TestShellBrowser()
{
    static const bool registered = [] {
        WNDCLASSA description{};
        description.lpfnWndProc = WindowProc;
        description.hInstance = ::GetModuleHandleA(nullptr);
        description.lpszClassName = kWindowClass;
        return ::RegisterClassA(&description) != 0;
    }();
    window_ = ::CreateWindowExA(0, registered ? kWindowClass : "STATIC", "test explorer",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    if (window_)
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestShellBrowser::~TestShellBrowser()
{
    for (LPITEMIDLIST list : browsedTo)
        ::CoTaskMemFree(list);
    if (window_) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

bool TestShellBrowser::Called(const std::string& name) const
{
    for (const std::string& call : calls) {
        if (call == name)
            return true;
    }
    return false;
}

HWND TestShellBrowser::ShowTreeWithSelected(const char* name)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    treeWindow = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, 0, 0, 200, 200, window_,
                                   nullptr, nullptr, nullptr);
    TVINSERTSTRUCTA insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(name);
    TreeView_SelectItem(treeWindow, TreeView_InsertItem(treeWindow, &insert));
    return treeWindow;
}

void TestShellBrowser::PumpMessages(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

HRESULT TestShellBrowser::Record(const char* name, HRESULT answer)
{
    calls.push_back(name);
    return answer;
}

STDMETHODIMP TestShellBrowser::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = window_;
    return S_OK;
}

STDMETHODIMP TestShellBrowser::InsertMenusSB(HMENU shared, LPOLEMENUGROUPWIDTHS)
{
    if (!answerMenusAndBars)
        return Record("InsertMenusSB", E_NOTIMPL);
    // Explorer's own sub-menus, under the ids the view looks for.
    const struct {
        UINT id;
        const char* text;
    } menus[] = {{FCIDM_MENU_FILE, "&File"},   {FCIDM_MENU_EDIT, "&Edit"}, {FCIDM_MENU_VIEW, "&View"},
                 {FCIDM_MENU_TOOLS, "&Tools"}, {FCIDM_MENU_HELP, "&Help"}};
    for (const auto& menu : menus) {
        HMENU sub = ::CreatePopupMenu();
        if (menu.id == FCIDM_MENU_EDIT) {
            ::AppendMenuA(sub, MF_STRING, 0xA041, "Cu&t");
            ::AppendMenuA(sub, MF_STRING, 0xA042, "&Copy");
        }
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.wID = menu.id;
        item.hSubMenu = sub;
        item.dwTypeData = const_cast<char*>(menu.text);
        ::InsertMenuItemA(shared, ::GetMenuItemCount(shared), TRUE, &item);
    }
    return Record("InsertMenusSB", S_OK);
}

STDMETHODIMP TestShellBrowser::SetMenuSB(HMENU shared, HOLEMENU, HWND)
{
    if (!answerMenusAndBars)
        return Record("SetMenuSB", E_NOTIMPL);
    sharedMenu = shared;   // the view's: it destroys it
    return Record("SetMenuSB", S_OK);
}

STDMETHODIMP TestShellBrowser::RemoveMenusSB(HMENU)
{
    sharedMenu = nullptr;
    return Record("RemoveMenusSB", answerMenusAndBars ? S_OK : E_NOTIMPL);
}

STDMETHODIMP TestShellBrowser::BrowseObject(PCUIDLIST_RELATIVE list, UINT flags)
{
    browsedTo.push_back(list ? ::ILClone(list) : nullptr);
    browseFlags.push_back(flags);
    return Record("BrowseObject", S_OK);
}

STDMETHODIMP TestShellBrowser::GetViewStateStream(DWORD mode, IStream** stream)
{
    if (!stream)
        return E_POINTER;
    *stream = nullptr;
    if (!hasViewState)
        return Record("GetViewStateStream", E_FAIL);
    if ((mode & 3) == STGM_READ) {
        *stream = ::SHCreateMemStream(viewState.data(), static_cast<UINT>(viewState.size()));
    } else {
        written_.Attach(::SHCreateMemStream(nullptr, 0));
        *stream = written_.Get();
        if (*stream)
            (*stream)->AddRef();
    }
    return Record("GetViewStateStream", *stream ? S_OK : E_OUTOFMEMORY);
}

STDMETHODIMP TestShellBrowser::GetControlWindow(UINT id, HWND* window)
{
    if (window)
        *window = nullptr;
    if (id == FCW_TREE && treeWindow && window) {
        *window = treeWindow;
        return Record("GetControlWindow", S_OK);
    }
    return Record("GetControlWindow", answerMenusAndBars ? E_FAIL : E_NOTIMPL);
}

STDMETHODIMP TestShellBrowser::SendControlMsg(UINT id, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!answerMenusAndBars)
        return Record("SendControlMsg", E_NOTIMPL);
    if (id == FCW_STATUS && message == SB_SETTEXTA && lParam)
        statusTexts.push_back(reinterpret_cast<const char*>(lParam));
    if (id == FCW_TOOLBAR && message == TB_CHECKBUTTON && lParam)
        checkedButtons.push_back(static_cast<UINT>(wParam));
    return Record("SendControlMsg", S_OK);
}

STDMETHODIMP TestShellBrowser::QueryActiveShellView(IShellView** view)
{
    if (!view)
        return E_POINTER;
    *view = nullptr;
    if (!answerActiveView)
        return Record("QueryActiveShellView", E_NOTIMPL);
    if (activeView)
        activeView.CopyTo(view);
    return Record("QueryActiveShellView", S_OK);
}

STDMETHODIMP TestShellBrowser::SetToolbarItems(LPTBBUTTONSB buttons, UINT count, UINT)
{
    if (!answerMenusAndBars)
        return Record("SetToolbarItems", E_NOTIMPL);
    for (UINT i = 0; buttons && i < count; ++i)
        toolbarButtons.push_back(static_cast<UINT>(buttons[i].idCommand));
    return Record("SetToolbarItems", S_OK);
}

std::vector<BYTE> TestShellBrowser::SavedViewState() const
{
    std::vector<BYTE> bytes;
    if (!written_)
        return bytes;
    STATSTG stat{};
    if (FAILED(written_->Stat(&stat, STATFLAG_NONAME)))
        return bytes;
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    ULONG read = 0;
    written_->Seek(start, STREAM_SEEK_SET, nullptr);
    written_->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}
