#pragma once

#include "com/com_apartment.h"
#include "com/com_object.h"
#include "list/shell_view_wnd.h"
#include "nsinterfaces.h"
#include "view_menus.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <memory>
#include <span>
#include <string>

class ShellFolder;

// The right-hand pane of Explorer for a folder of the namespace: it makes the window with the
// list, merges the namespace's commands into Explorer's menus and toolbar, keeps the column
// layout in the folder's view state, and is the search module's client for the folder, so
// that changes made anywhere reach the open list.
class ShellView final : public ComObject<ShellView, IShellView, INotifyNSClient> {
public:
    explicit ShellView(ShellFolder& folder);
    ~ShellView() override;

    static std::span<const ComInterfaceEntry> InterfaceTable();
    STDMETHODIMP QueryInterface(REFIID iid, void** result) override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IShellView
    STDMETHODIMP TranslateAccelerator(MSG* message) override;
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP UIActivate(UINT state) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP CreateViewWindow(IShellView* previous, LPCFOLDERSETTINGS settings, IShellBrowser* browser,
                                  RECT* rect, HWND* window) override;
    STDMETHODIMP DestroyViewWindow() override;
    STDMETHODIMP GetCurrentInfo(LPFOLDERSETTINGS settings) override;
    STDMETHODIMP AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override { return E_NOTIMPL; }
    STDMETHODIMP SaveViewState() override;
    STDMETHODIMP SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemObject(UINT, REFIID, void** object) override;

    // INotifyNSClient
    STDMETHODIMP AddItem(CacheItemStruct item) override;
    STDMETHODIMP RemoveItem(CacheItemStruct item) override;
    STDMETHODIMP UpdateItem(CacheItemStruct item) override;
    STDMETHODIMP SearchDone() override;

    // The list of the open view (null before CreateViewWindow and after DestroyViewWindow).
    ShellViewListCtrl* List() { return window_ ? &window_->List() : nullptr; }

private:
    HRESULT CreateWindowSteps(const FOLDERSETTINGS& settings, IShellBrowser& browser, const RECT& rect, HWND& window);
    void Register();
    void Unregister();
    std::optional<ViewState> ReadViewState();
    void UpdateCommandState();
    void OnFocusChanged(bool focused);
    bool TranslateKey(const MSG& message);
    // Cut ('X'), copy ('C') or paste ('V') while the list has the focus; false without it.
    bool ClipboardOperation(char key, UINT logged);
    bool AnswerRegisteredMessage(const MSG& message, LRESULT& result);
    HRESULT ForwardToList(const CacheItemStruct& record, bool (ShellViewListCtrl::*change)(const CacheItem&));

    // The view's thread in an apartment while the window lives (Explorer's usually is already).
    std::unique_ptr<ComApartment> apartment_;
    Microsoft::WRL::ComPtr<ShellFolder> folder_;
    Microsoft::WRL::ComPtr<IShellBrowser> browser_;
    Microsoft::WRL::ComPtr<IRegisterNSClient> registration_;
    Microsoft::WRL::ComPtr<INotifyNSServer> server_;
    LONG clientId_ = 0;
    bool registered_ = false;
    std::unique_ptr<ShellViewWnd> window_;
    FOLDERSETTINGS settings_{};
    UINT uiState_ = SVUIA_DEACTIVATE;
    ViewMenus menus_;
    std::string folderPath_;
    bool hasFocus_ = false;
    bool fullBrowser_ = true;
};
