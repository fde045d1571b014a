#pragma once

#include "com/com_object.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// An Explorer window as a test owns it: a top-level window to put the view in, and a shell
// browser that records what the view asks of it. By default it answers as a full Explorer
// window with menus, toolbar, status bar and a view-state stream; a test can make it answer as
// Wine's Explorer does (E_NOTIMPL for menus, toolbar and status bar) or as a host that is not
// an Explorer window (no active view). Its window answers Explorer's question for the shell
// browser (message 0x407) with this object, or with null when the test says so.
class TestShellBrowser final : public ComObject<TestShellBrowser, IShellBrowser> {
public:
    TestShellBrowser();
    ~TestShellBrowser() override;

    bool answerMenusAndBars = true;
    bool answerActiveView = true;
    bool answerShellBrowserQuestion = true;
    // The tree pane that GetControlWindow(FCW_TREE) gives; none by default.
    HWND treeWindow = nullptr;
    // What the view stored, and what it reads at creation.
    std::vector<BYTE> viewState;
    bool hasViewState = true;

    std::vector<std::string> calls;
    std::vector<std::string> statusTexts;
    std::vector<UINT> toolbarButtons;
    std::vector<UINT> checkedButtons;
    std::vector<LPITEMIDLIST> browsedTo;
    std::vector<UINT> browseFlags;
    HMENU sharedMenu = nullptr;
    Microsoft::WRL::ComPtr<IShellView> activeView;

    HWND Window() const { return window_; }
    // Shows a tree pane with one item, selected, as GetControlWindow(FCW_TREE) then gives it;
    // the caller destroys it.
    HWND ShowTreeWithSelected(const char* name);
    // What the view wrote into its view-state stream.
    std::vector<BYTE> SavedViewState() const;
    bool Called(const std::string& name) const;
    // Runs the thread's messages for a while (posted browses, list notifications).
    static void PumpMessages(DWORD milliseconds = 50);

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IShellBrowser
    STDMETHODIMP InsertMenusSB(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenuSB(HMENU shared, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenusSB(HMENU shared) override;
    STDMETHODIMP SetStatusTextSB(LPCWSTR) override { return Record("SetStatusTextSB", E_NOTIMPL); }
    STDMETHODIMP EnableModelessSB(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
    STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE list, UINT flags) override;
    STDMETHODIMP GetViewStateStream(DWORD mode, IStream** stream) override;
    STDMETHODIMP GetControlWindow(UINT id, HWND* window) override;
    STDMETHODIMP SendControlMsg(UINT id, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    STDMETHODIMP QueryActiveShellView(IShellView** view) override;
    STDMETHODIMP OnViewWindowActive(IShellView*) override { return S_OK; }
    STDMETHODIMP SetToolbarItems(LPTBBUTTONSB buttons, UINT count, UINT flags) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT Record(const char* name, HRESULT answer);

    HWND window_ = nullptr;
    Microsoft::WRL::ComPtr<IStream> written_;
};
