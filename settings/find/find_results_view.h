#pragma once

#include "find_view_browser.h"
#include "nsinterfaces.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

// The namespace's own view inside the Find dialog, created in this process through the
// namespace's class factory, so that found items can be opened, renamed or given shortcuts as
// in Explorer. Every call is made on the dialog's thread. Without the view (any step failed,
// logged) the dialog works on without showing results.
class FindResultsView {
public:
    FindResultsView() = default;
    ~FindResultsView() { Destroy(); }
    FindResultsView(const FindResultsView&) = delete;
    FindResultsView& operator=(const FindResultsView&) = delete;

    // Creates the view as a child of dialog over rect; false when there is none.
    bool Create(HWND dialog, const RECT& rect);
    bool Exists() const { return client_ != nullptr; }
    HWND Window() const { return window_; }
    void Move(const RECT& rect) const;

    // The search module's calls, passed on to the view (E_FAIL without it).
    HRESULT AddItem(const CacheItemStruct& record) const;
    HRESULT RemoveItem(const CacheItemStruct& record) const;
    HRESULT UpdateItem(const CacheItemStruct& record) const;

    // A key for the view while it has the focus (rename, delete, copy, cut, select all), as
    // Explorer hands its keys to the view; true when the view took it.
    bool TranslateKey(MSG& message) const;

    // The number of items listed, as the view answers its item-count message.
    int ItemCount() const;
    // Empties the list (the view shows no folder of its own, so a refresh leaves it empty).
    void Clear() const;
    // Destroys the view's window and releases the view and its interfaces.
    void Destroy();

private:
    Microsoft::WRL::ComPtr<IShellFolder> folder_;
    Microsoft::WRL::ComPtr<IShellView> view_;
    Microsoft::WRL::ComPtr<INotifyNSClient> client_;
    Microsoft::WRL::ComPtr<FindViewBrowser> browser_;
    HWND window_ = nullptr;
};
