#include "find_results_view.h"

#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"

using Microsoft::WRL::ComPtr;

namespace {

// Asks the view one of its registered messages, as the view's other senders do; its answer.
LRESULT AskView(IShellView& view, UINT nameId)
{
    MSG message{};
    message.message = ::RegisterWindowMessageA(CommonText(nameId).c_str());
    return static_cast<LRESULT>(view.TranslateAccelerator(&message));
}

} // namespace

bool FindResultsView::Create(HWND dialog, const RECT& rect)
{
    CLSID folderClass{};
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, folderClass)) {
        Logging::OutToLogFile("Could not get IClassFactory interface.\n");
        return false;
    }
    ComPtr<IClassFactory> factory;
    if (FAILED(::CoGetClassObject(folderClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(factory.GetAddressOf())))) {
        Logging::OutToLogFile("Could not get IClassFactory interface.\n");
        return false;
    }
    if (FAILED(factory->CreateInstance(nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder_.GetAddressOf())))) {
        Logging::OutToLogFile("Could not get IShellFolder interface.\n");
        return false;
    }
    if (FAILED(folder_->CreateViewObject(dialog, IID_IShellView, reinterpret_cast<void**>(view_.GetAddressOf())))) {
        Logging::OutToLogFile("Could not get IShellView interface.\n");
        Destroy();
        return false;
    }
    browser_ = MakeComObject<FindViewBrowser>(dialog);
    FOLDERSETTINGS settings{FVM_DETAILS, 0};
    RECT area = rect;
    if (FAILED(view_->CreateViewWindow(nullptr, &settings, browser_.Get(), &area, &window_)) || !window_) {
        Logging::OutToLogFile("Could not get get Window through CreateViewWindow().\n");
        window_ = nullptr;
        Destroy();
        return false;
    }
    if (FAILED(view_.As(&client_))) {
        Logging::OutToLogFile("Could not get INotifyNSClient interface.\n");
        Destroy();
        return false;
    }
    view_->UIActivate(SVUIA_ACTIVATE_NOFOCUS);
    return true;
}

void FindResultsView::Move(const RECT& rect) const
{
    if (window_)
        ::MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

HRESULT FindResultsView::AddItem(const CacheItemStruct& record) const
{
    return client_ ? client_->AddItem(record) : E_FAIL;
}

HRESULT FindResultsView::RemoveItem(const CacheItemStruct& record) const
{
    return client_ ? client_->RemoveItem(record) : E_FAIL;
}

HRESULT FindResultsView::UpdateItem(const CacheItemStruct& record) const
{
    return client_ ? client_->UpdateItem(record) : E_FAIL;
}

bool FindResultsView::TranslateKey(MSG& message) const
{
    if (!client_ || message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    if (message.hwnd != window_ && !::IsChild(window_, message.hwnd))
        return false;
    return view_->TranslateAccelerator(&message) == S_OK;
}

int FindResultsView::ItemCount() const
{
    return client_ ? static_cast<int>(AskView(*view_.Get(), IDS_MSG_ITEM_COUNT)) : 0;
}

void FindResultsView::Clear() const
{
    if (client_)
        view_->Refresh();
}

void FindResultsView::Destroy()
{
    client_.Reset();
    if (view_ && window_) {
        view_->UIActivate(SVUIA_DEACTIVATE);
        view_->DestroyViewWindow();
    }
    window_ = nullptr;
    view_.Reset();
    folder_.Reset();
    browser_.Reset();
}
