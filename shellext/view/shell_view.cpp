#include "shell_view.h"

#include "cache/cache.h"
#include "com/com_boundary.h"
#include "command_state.h"
#include "folder/shell_folder.h"
#include "folder/shell_folder_mgr.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "settings/auxiliary.h"
#include "text/ansi_text.h"
#include "text/text_format.h"
#include "transfer/fixed_items.h"
#include "ui/prompt.h"
#include "ui/wait_cursor.h"
#include "view_commands.h"
#include "view_messages.h"

#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// A folder path that names no folder: a host that is not an Explorer window shows nothing.
const std::string& NoFolder()
{
    static const std::string path(1, '|');
    return path;
}

UINT ClampedViewMode(UINT mode) { return mode >= 1 && mode <= 4 ? mode : 4; }   // large icons to details

bool ControlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

void EnableItem(HMENU menu, UINT id, bool enabled)
{
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

} // namespace

ShellView::ShellView(ShellFolder& folder) : folder_(&folder), folderPath_(folder.FolderPath())
{
    ViewMessages::Get();
}

ShellView::~ShellView() = default;

std::span<const ComInterfaceEntry> ShellView::InterfaceTable()
{
    static const ComInterfaceEntry table[] = {
        ComInterface<ShellView, IShellView>(),
        ComInterface<ShellView, IOleWindow, IShellView>(),
        ComInterface<ShellView, INotifyNSClient>(),
    };
    return table;
}

STDMETHODIMP ShellView::QueryInterface(REFIID iid, void** result)
{
    if (IsEqualIID(iid, IID_IOleCommandTarget)) {
        // Explorer asks often; every request is the moment to bring the menu state up to date.
        Logging::OutToLogFile("ShellView::QueryInterface()==>IID_IOleCommandTarget\n");
        ComBoundary("ShellView::QueryInterface()", [&] {
            UpdateCommandState();
            return S_OK;
        });
        Logging::OutToLogFile("Interface NOT supported!\n");
        if (result)
            *result = nullptr;
        return E_NOINTERFACE;
    }
    if (IsEqualIID(iid, IID_IDropTarget)) {
        // Items dropped on the view go into its folder: the folder's own drop target.
        if (!result)
            return E_POINTER;
        *result = nullptr;
        if (!folder_) {
            Logging::OutToLogFile("No pointer to ShellFolder\n");
            return E_NOINTERFACE;
        }
        Logging::OutToLogFile("ShellView::QueryInterface()==>IID_IDropTarget\n");
        return folder_->CreateViewObject(nullptr, iid, result);
    }
    const HRESULT found = ComObject::QueryInterface(iid, result);
    if (FAILED(found))
        Logging::OutToLogFile("ShellView::QueryInterface()==>Interface NOT recognized!\n");
    return found;
}

STDMETHODIMP ShellView::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = window_ ? window_->GetSafeHwnd() : nullptr;
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP ShellView::TranslateAccelerator(MSG* message)
{
    if (!message)
        return S_FALSE;
    return ComBoundary("ShellView::TranslateAccelerator()", [&]() -> HRESULT {
        if (!window_)
            return S_FALSE;
        // The senders pass no parameters (0): the answer is the result, never written anywhere.
        LRESULT answer = 1;
        if (AnswerRegisteredMessage(*message, answer))
            return static_cast<HRESULT>(answer);
        return TranslateKey(*message) ? S_OK : S_FALSE;
    });
}

bool ShellView::TranslateKey(const MSG& message)
{
    ShellViewListCtrl& list = window_->List();
    const HWND editor = list.LabelEditor();
    if ((message.message == WM_NCLBUTTONDOWN && message.wParam == HTMENU) || message.message == WM_SYSKEYDOWN)
        UpdateCommandState();
    if (message.message == WM_COMMAND &&
        (LOWORD(message.wParam) == view_command::kExplorerCut || LOWORD(message.wParam) == view_command::kExplorerCopy))
        return ClipboardOperation(LOWORD(message.wParam) == view_command::kExplorerCut ? 'X' : 'C', LOWORD(message.wParam));
    if (message.message == WM_KEYDOWN && ControlHeld()) {
        if (message.wParam == 'A' && !editor) {
            list.SelectAll();
            return true;
        }
        if ((message.wParam == 'X' || message.wParam == 'C' || message.wParam == 'V') && !editor)
            return ClipboardOperation(static_cast<char>(message.wParam), static_cast<UINT>(message.wParam));
        return false;
    }
    if (message.message == WM_KEYDOWN && editor && (message.wParam == VK_BACK || message.wParam == VK_DELETE)) {
        // Explorer would take these for its own commands (up a level, delete): they are the
        // editor's, which gets them as if they had been dispatched to it.
        MSG forwarded = message;
        forwarded.hwnd = editor;
        ::TranslateMessage(&forwarded);
        ::DispatchMessageA(&forwarded);
        return true;
    }
    if (message.message == WM_KEYDOWN) {
        switch (message.wParam) {
        case VK_DELETE:
            if (!hasFocus_)
                return false;
            LogFormatted("ShellView::CheckForValidKey() - theKey=%d\n", static_cast<int>(message.wParam));
            list.DeleteSelection();
            return true;
        case VK_ESCAPE:
            if (!hasFocus_ || editor)
                return false;
            LogFormatted("ShellView::CheckForValidKey() - theKey=%d\n", static_cast<int>(message.wParam));
            list.CancelCut();
            return true;
        case VK_F1:
            AuxiliaryFunctions::LaunchHelpFile(-1);
            return true;
        case VK_F2:
            if (!hasFocus_ || editor)
                return false;
            LogFormatted("ShellView::CheckForValidKey() - theKey=%d\n", static_cast<int>(message.wParam));
            list.StartRename();
            return true;
        default:
            return false;
        }
    }
    return false;
}

bool ShellView::ClipboardOperation(char key, UINT logged)
{
    if (!hasFocus_)
        return false;
    LogFormatted("ShellView::CheckForClipboardOperation() - Key/Msg=%d\n", static_cast<int>(logged));
    ShellViewListCtrl& list = window_->List();
    if (key == 'V')
        list.PasteIntoFolder();
    else
        list.CopySelection(key == 'X');
    return true;
}

bool ShellView::AnswerRegisteredMessage(const MSG& message, LRESULT& result)
{
    const ViewMessages& ids = ViewMessages::Get();
    const UINT id = message.message;
    if (id < 0xC000)
        return false;
    ShellViewListCtrl& list = window_->List();
    const std::vector<size_t> selected = hasFocus_ ? list.SelectedRows() : std::vector<size_t>();
    if (id == ids.deleteItem) {
        if (hasFocus_) {
            list.DeleteSelection();
            result = 0;
        } else if (HWND editor = list.LabelEditor()) {
            ::SendMessageA(editor, WM_KEYDOWN, VK_DELETE, 0);
            result = 0;
        }
        return true;
    }
    if (id == ids.cutItem || id == ids.copyItem || id == ids.pasteItem) {
        // Without the focus the sender acts itself (the tree's own folder is meant).
        if (ClipboardOperation(id == ids.cutItem ? 'X' : id == ids.copyItem ? 'C' : 'V', id))
            result = 0;
        return true;
    }
    if (id == ids.itemCount) {
        result = static_cast<LRESULT>(list.RowCount());
        return true;
    }
    if (id == ids.selectedCount) {
        result = static_cast<LRESULT>(list.SelectedRows().size());
        return true;
    }
    if (id == ids.selectedType) {
        result = kNoSingleItemType;
        if (selected.size() == 1)
            result = list.Row(selected.front()).item.ItemType;
        return true;
    }
    if (id == ids.selectedParentType) {
        result = kNoSingleItemType;
        if (selected.size() == 1) {
            const CacheItem& item = list.Row(selected.front()).item;
            Cache holder(CacheFolderOnly, item.FolderPath.empty() ? folderPath_ : item.FolderPath);
            CacheItem folder;
            holder.GetOpenedFolderData(folder);
            result = folder.ItemType;
        }
        return true;
    }
    if (!hasFocus_) {
        if (id == ids.openSelected || id == ids.exploreSelected || id == ids.shortcutOfSelected ||
            id == ids.renameSelected || id == ids.propertiesOfSelected)
            return true;   // the tree has the focus: its own item is meant
        return false;
    }
    if (id == ids.openSelected)
        list.ExecuteOnSelection(view_command::kOpen);
    else if (id == ids.exploreSelected)
        list.ExecuteOnSelection(view_command::kExplore);
    else if (id == ids.shortcutOfSelected)
        list.CreateShortcutsOnDesktop();
    else if (id == ids.renameSelected)
        list.StartRename();
    else if (id == ids.propertiesOfSelected)
        list.ShowProperties();
    else
        return false;
    result = 0;
    return true;
}

STDMETHODIMP ShellView::UIActivate(UINT state)
{
    return ComBoundary("ShellView::UIActivate()", [&] {
        if (state == uiState_)
            return S_OK;
        uiState_ = state;
        if (!browser_ || !window_)
            return S_OK;
        if (state == SVUIA_DEACTIVATE) {
            menus_.Remove(*browser_.Get());
            return S_OK;
        }
        ShellViewListCtrl& list = window_->List();
        menus_.Merge(*browser_.Get(), window_->GetSafeHwnd(), hasFocus_, AuxiliaryFunctions::GetUser(),
                     list.ViewMode());
        LRESULT ignored = 0;
        int parts[] = {-1};
        browser_->SendControlMsg(FCW_STATUS, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts), &ignored);
        list.UpdateStatusText();
        UpdateCommandState();
        return S_OK;
    });
}

STDMETHODIMP ShellView::Refresh()
{
    Logging::OutToLogFile("ShellView::Refresh()\n");
    return ComBoundary("ShellView::Refresh()", [&] {
        if (!window_)
            return E_FAIL;
        const WaitCursor wait;
        window_->List().Fill();
        window_->List().ApplyRows();
        return S_OK;
    });
}

STDMETHODIMP ShellView::CreateViewWindow(IShellView*, LPCFOLDERSETTINGS settings, IShellBrowser* browser, RECT* rect,
                                         HWND* window)
{
    Logging::OutToLogFile("ShellView::CreateViewWindow()\n");
    if (!window)
        return E_POINTER;
    *window = nullptr;
    if (!settings || !browser || !rect)
        return E_INVALIDARG;
    return ComBoundary("ShellView::CreateViewWindow()",
                       [&] { return CreateWindowSteps(*settings, *browser, *rect, *window); });
}

HRESULT ShellView::CreateWindowSteps(const FOLDERSETTINGS& settings, IShellBrowser& browser, const RECT& rect,
                                     HWND& window)
{
    browser_ = &browser;
    ComPtr<IShellView> active;
    if (browser.QueryActiveShellView(&active) == E_NOTIMPL && !active) {
        fullBrowser_ = false;
        folderPath_ = NoFolder();
    }
    settings_ = settings;
    settings_.ViewMode = ClampedViewMode(settings.ViewMode);
    HWND parent = nullptr;
    browser.GetWindow(&parent);

    apartment_ = std::make_unique<ComApartment>();
    if (apartment_->Result() == S_FALSE) {
        Logging::OutToLogFile("COM library was already initialized (no error)\n");
    } else if (!apartment_->IsReady()) {
        Logging::OutToLogFile("CoInitialize - Could not initializes the COM library.\n");
        apartment_.reset();
        browser_.Reset();
        return E_FAIL;
    }
    Register();

    if (fullBrowser_) {
        Cache folder(CacheFolderOnly, folderPath_);
        if (folder.GetStatus() == CacheNotInitialized) {
            const std::string text = FormatText(CommonText(IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT),
                                                BrandingText(IDS_BRAND_NAMESPACE_NAME), folderPath_);
            ShowPrompt(parent, text, ProductCaption(), MB_OK | MB_ICONSTOP);
            Unregister();
            browser_.Reset();
            apartment_.reset();
            return E_FAIL;
        }
    }

    ShellViewListCtrl::Context context;
    context.folderPath = folderPath_;
    context.folder = folder_;
    context.server = server_;
    context.clientId = clientId_;
    context.browser = &browser;
    context.fullBrowser = fullBrowser_;
    try {
        window_ = std::make_unique<ShellViewWnd>(parent, rect, static_cast<int>(settings_.ViewMode), std::move(context),
                                                 g_hBrandingInstance,
                                                 ShellViewWnd::Callbacks{[this](bool focused) { OnFocusChanged(focused); }});
    } catch (const std::exception& error) {
        LogFormatted("Could not create a list control. (%s)\n", error.what());
        Unregister();
        browser_.Reset();
        apartment_.reset();
        return E_FAIL;
    }
    ShellViewListCtrl& list = window_->List();
    if (fullBrowser_) {
        list.Fill();
        ViewMenus::AddToolbarButtons(browser, list.ViewMode());
        list.ApplyLayout(ReadViewState());
    }
    list.ApplyRows();   // the view shows every row when it is handed over
    window = window_->GetSafeHwnd();
    return S_OK;
}

void ShellView::Register()
{
    if (!GetLocalServerInterface(IID_IRegisterNSClient, reinterpret_cast<void**>(registration_.GetAddressOf()))) {
        Logging::OutToLogFile("Could not get the IRegisterNSClient interface.\n");
        return;
    }
    registration_.As(&server_);
    INotifyNSClient* client = this;
    const HRESULT added = registration_->Add(client, WideFromAnsi(folderPath_).c_str(), &clientId_);
    if (FAILED(added)) {
        Logging::OutToLogFile("Failed when calling IRegisterNSClient::Add()\n");
        return;
    }
    registered_ = true;
}

void ShellView::Unregister()
{
    if (registration_ && registered_)
        registration_->Remove(clientId_);
    registered_ = false;
    server_.Reset();
    registration_.Reset();
}

std::optional<ViewState> ShellView::ReadViewState()
{
    ComPtr<IStream> stream;
    if (!browser_ || FAILED(browser_->GetViewStateStream(STGM_READ, &stream)) || !stream)
        return std::nullopt;
    BYTE bytes[ViewState::kSize + 1] = {};
    ULONG read = 0;
    if (FAILED(stream->Read(bytes, sizeof bytes, &read)))
        return std::nullopt;
    CLSID folderClass{};
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, folderClass))
        return std::nullopt;
    return ViewState::Parse(bytes, read, folderClass, window_->List().ColumnCount());
}

STDMETHODIMP ShellView::DestroyViewWindow()
{
    Logging::OutToLogFile("ShellView::DestroyViewWindow()\n");
    return ComBoundary("ShellView::DestroyViewWindow()", [&] {
        if (browser_)
            menus_.Remove(*browser_.Get());
        Unregister();   // no callback reaches a window being destroyed
        window_.reset();
        browser_.Reset();
        apartment_.reset();
        return S_OK;
    });
}

STDMETHODIMP ShellView::GetCurrentInfo(LPFOLDERSETTINGS settings)
{
    if (!settings)
        return E_POINTER;
    if (!window_)
        return E_FAIL;
    *settings = settings_;
    settings->ViewMode = static_cast<UINT>(window_->List().ViewMode());
    return S_OK;
}

STDMETHODIMP ShellView::SaveViewState()
{
    return ComBoundary("ShellView::SaveViewState()", [&]() -> HRESULT {
        if (!browser_ || !window_)
            return E_FAIL;
        ComPtr<IStream> stream;
        if (FAILED(browser_->GetViewStateStream(STGM_WRITE, &stream)) || !stream)
            return S_OK;   // hosts without view state keep none
        CLSID folderClass{};
        if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, folderClass))
            return E_FAIL;
        const auto bytes = window_->List().Layout().Serialize(folderClass);
        ULONG written = 0;
        return stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    });
}

STDMETHODIMP ShellView::GetItemObject(UINT, REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

HRESULT ShellView::ForwardToList(const CacheItemStruct& record, bool (ShellViewListCtrl::*change)(const CacheItem&))
{
    return ComBoundary("ShellView::INotifyNSClient", [&] {
        if (!window_)
            return E_FAIL;
        const CacheItem item(record);
        (window_->List().*change)(item);
        return S_OK;
    });
}

STDMETHODIMP ShellView::AddItem(CacheItemStruct item) { return ForwardToList(item, &ShellViewListCtrl::AddItem); }
STDMETHODIMP ShellView::RemoveItem(CacheItemStruct item) { return ForwardToList(item, &ShellViewListCtrl::RemoveItem); }
STDMETHODIMP ShellView::UpdateItem(CacheItemStruct item) { return ForwardToList(item, &ShellViewListCtrl::UpdateItem); }

STDMETHODIMP ShellView::SearchDone()
{
    return ComBoundary("ShellView::SearchDone()", [&] {
        if (!window_)
            return E_FAIL;
        window_->List().SearchDone();
        return S_OK;
    });
}

void ShellView::OnFocusChanged(bool focused)
{
    hasFocus_ = focused;
    if (focused && browser_)
        browser_->OnViewWindowActive(this);
    UpdateCommandState();
}

void ShellView::UpdateCommandState()
{
    if (!window_)
        return;
    ShellViewListCtrl& list = window_->List();
    const CommandState state = CommandState::Of(hasFocus_, list.SelectedTypes(), list.CurrentFolder());
    if (HMENU file = menus_.File()) {
        EnableItem(file, view_command::kOpen, state.open);
        EnableItem(file, view_command::kExplore, state.explore);
        EnableItem(file, view_command::kDelete, state.deleteItems);
        EnableItem(file, view_command::kRename, state.rename);
        EnableItem(file, view_command::kProperties, state.properties);
        ::SetMenuDefaultItem(file, state.defaultCommand ? state.defaultCommand : static_cast<UINT>(-1), FALSE);
    }
    // Paste only what the clipboard holds of ours, into a folder that takes it.
    if (HMENU edit = menus_.Edit())
        EnableItem(edit, view_command::kPaste,
                   TakesItems(list.CurrentFolder()) && ShellFolderMgr().CheckValidNSClipboard());
    menus_.CheckViewMode(list.ViewMode());
}
