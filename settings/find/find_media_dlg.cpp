#include "find_media_dlg.h"

#include "cache/cache.h"
#include "find_clipboard.h"
#include "help_routing.h"
#include "logging/logging.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "sheet/help_topics.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <commctrl.h>

namespace {

// The dialog whose loop runs on this thread, for its message filter.
thread_local FindMediaDlg* t_filteringDialog = nullptr;

} // namespace

FindMediaDlg::FindMediaDlg() : DialwiseDialog(IDD_FIND_MEDIA), thread_(state_) {}

FindMediaDlg::~FindMediaDlg()
{
    // A dialog that never showed, or failed, still ends its worker before anything else goes.
    state_.SetState(FindState::CloseRequested);
    thread_.Stop();
}

bool FindMediaDlg::OnInitDialog()
{
    HWND window = Window();
    ::SetWindowTextA(window, ProgramText(IDS_FIND_TITLE).c_str());
    registerMessage_ = ::RegisterWindowMessageA(CommonText(IDS_MSG_REGISTER_WITH_SERVER).c_str());
    criteria_ = std::make_unique<FindMediaPropertySheet>(window, IDC_FIND_TABS);
    status_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FIND_STATUS)), nullptr, nullptr);
    RECT placeholder{};
    ::GetWindowRect(Item(IDC_FIND_RESULTS), &placeholder);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placeholder), 2);
    resultsTop_ = placeholder.top;
    Animate_Open(Item(IDC_FIND_ANIMATION), MAKEINTRESOURCEA(IDR_FIND_ANIMATION));

    if (results_.Create(window, ResultsArea()))
        client_ = MakeComObject<FindNotifyClient>(&results_);
    thread_.SetDialogWindow(window);
    if (results_.Exists() && !t_filteringDialog) {
        t_filteringDialog = this;
        keyFilter_ = ::SetWindowsHookExA(WH_MSGFILTER, &FilterDialogMessage, nullptr, ::GetCurrentThreadId());
    }
    Layout();
    ::SetFocus(::GetDlgItem(criteria_->NamePage().Window(), IDC_FIND_NAMED));
    return false;
}

LRESULT CALLBACK FindMediaDlg::FilterDialogMessage(int code, WPARAM wParam, LPARAM lParam)
{
    try {
        FindMediaDlg* dialog = t_filteringDialog;
        if (code == MSGF_DIALOGBOX && dialog && !dialog->closed_ &&
            dialog->results_.TranslateKey(*reinterpret_cast<MSG*>(lParam)))
            return TRUE;
    } catch (...) {
        // A key the view could not take goes its usual way.
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

RECT FindMediaDlg::ResultsArea() const
{
    RECT client{};
    ::GetClientRect(Window(), &client);
    RECT bar{};
    if (status_)
        ::GetWindowRect(status_, &bar);
    RECT area = client;
    area.top = resultsTop_;
    area.bottom = std::max(area.top, client.bottom - static_cast<LONG>(bar.bottom - bar.top));
    return area;
}

void FindMediaDlg::Layout()
{
    if (status_)
        ::SendMessageA(status_, WM_SIZE, 0, 0);
    results_.Move(ResultsArea());
}

bool FindMediaDlg::OnCommand(int id, int code, HWND control)
{
    if (code != BN_CLICKED)
        return DialwiseDialog::OnCommand(id, code, control);
    switch (id) {
    case IDC_FIND_NOW:
        OnFindNow();
        return true;
    case IDC_FIND_STOP:
        OnStop();
        return true;
    case IDC_FIND_NEW_SEARCH:
        OnNewSearch();
        return true;
    default:
        return DialwiseDialog::OnCommand(id, code, control);
    }
}

bool FindMediaDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case FindMediaThread::kFoundMessage:
        ShowFound();
        return true;
    case FindMediaThread::kSearchDoneMessage:
        SearchIsDone(static_cast<FindState>(wParam));
        return true;
    case WM_SIZE:
        Layout();
        return false;
    case WM_HELP:
        OnHelp();
        result = TRUE;
        return true;
    default:
        break;
    }
    if (message == registerMessage_ && registerMessage_ != 0) {
        RegisterWithServer();
        return true;
    }
    return DialwiseDialog::OnMessage(message, wParam, lParam, result);
}

void FindMediaDlg::OnFindNow()
{
    if (closed_ || searchRunning_)
        return;
    const FindRequest request = criteria_->NamePage().Criteria();
    if (Cache(CacheFolderOnly, request.folder).GetStatus() == CacheNotInitialized) {
        ShowPrompt(Window(), FormatText(CommonText(IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT), BrandingText(IDS_BRAND_NAMESPACE_NAME),
                                        request.folder),
                   ProgramText(IDS_FIND_TITLE), MB_OK | MB_ICONSTOP);
        return;
    }
    state_.SetState(FindState::Searching);
    searchRunning_ = true;
    ShowSearching(true);
    SetStatusText(std::string());
    thread_.StartSearch(request);
}

void FindMediaDlg::OnStop()
{
    // The search ends at its next item; its end brings the window back to idle.
    if (state_.State() == FindState::Searching)
        state_.SetState(FindState::Idle);
}

void FindMediaDlg::ShowSearching(bool searching)
{
    HWND animation = Item(IDC_FIND_ANIMATION);
    if (searching)
        Animate_Play(animation, 0, -1, -1);
    else
        Animate_Stop(animation);
    ::EnableWindow(Item(IDC_FIND_STOP), searching);
    ::EnableWindow(Item(IDC_FIND_NOW), !searching);
    criteria_->NamePage().Enable(!searching);
    ::SetFocus(Item(searching ? IDC_FIND_STOP : IDC_FIND_NOW));
}

void FindMediaDlg::ShowFound()
{
    if (closed_)
        return;
    for (FoundItem& found : state_.TakeFound()) {
        // Without the view nothing is shown, but the count still tells what was found.
        if (!results_.Exists()) {
            ++foundCount_;
            continue;
        }
        if (results_.AddItem(found.item.Record) == S_OK)
            state_.AddFoundFolder(found.folderPath);
    }
}

void FindMediaDlg::SearchIsDone(FindState endedIn)
{
    Logging::OutToLogFile("FindMediaDlg::SearchIsDone()\n");
    if (closed_ || endedIn == FindState::CloseRequested)
        return;
    ShowFound();   // what the worker queued last
    searchRunning_ = false;
    const FindState current = state_.State();
    state_.SetStateUnless(FindState::Idle, FindState::CloseRequested);
    ShowSearching(false);
    const int count = results_.Exists() ? results_.ItemCount() : foundCount_;
    SetStatusText(FormatText(ProgramText(IDS_FIND_ITEMS_FOUND_FMT), count));
    if (current == FindState::StopAndClear)
        OnNewSearch();
    ::PostMessageA(Window(), registerMessage_, 0, 0);
}

void FindMediaDlg::RegisterWithServer()
{
    if (closed_ || !client_)
        return;
    registrations_.Register(client_.Get(), state_.FoundFolders());
}

void FindMediaDlg::OnNewSearch()
{
    Logging::OutToLogFile("FindMediaDlg::OnNewSearch()\n");
    if (searchRunning_) {
        // Running or stopped and not yet ended: the clearing follows the search's end.
        state_.SetStateUnless(FindState::StopAndClear, FindState::CloseRequested);
        return;
    }
    if (ShowPrompt(Window(), ProgramText(IDS_FIND_CLEAR_QUESTION), ProgramText(IDS_FIND_CLEAR_TITLE),
                   MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    ClearResults();
}

void FindMediaDlg::ClearResults()
{
    registrations_.RemoveAll();
    state_.ClearFoundFolders();
    results_.Clear();
    foundCount_ = 0;
    SetStatusText(std::string());
    criteria_->NamePage().Reset();
}

void FindMediaDlg::OnClose()
{
    if (closed_)
        return;
    Shutdown();
    End(IDCANCEL);
}

void FindMediaDlg::Shutdown()
{
    if (closed_)
        return;
    closed_ = true;
    Logging::OutToLogFile("FindMediaDlg::OnClose()\n");
    state_.SetState(FindState::CloseRequested);
    // The worker ends (and is joined) before anything it could reach goes away.
    thread_.Stop();
    state_.TakeFound();
    registrations_.RemoveAll();
    if (client_)
        client_->Detach();
    if (keyFilter_) {
        ::UnhookWindowsHookEx(keyFilter_);
        keyFilter_ = nullptr;
        t_filteringDialog = nullptr;
    }
    TakeOwnCutOffClipboard();
    Animate_Close(Item(IDC_FIND_ANIMATION));
    results_.Destroy();
}

void FindMediaDlg::OnDestroy()
{
    // However the window goes, it goes closed.
    Shutdown();
}

void FindMediaDlg::OnHelp() { LaunchHelpTopic(kHelpTopicFindDiscs); }

void FindMediaDlg::SetStatusText(const std::string& text)
{
    if (status_)
        ::SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
