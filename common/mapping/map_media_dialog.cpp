#include "mapping/map_media_dialog.h"

#include "browse/browse_tree_ctrl.h"
#include "logging/logging.h"
#include "mapping/drive_letter_combo.h"
#include "mapping/map_password_dialog.h"
#include "mapping/network_folder_browse.h"
#include "res/dialog_ids.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "settings/platform.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/wait_cursor.h"
#include "ui/window_geometry.h"
#include "ui/window_text.h"

#include <winnetwk.h>

#include <utility>

namespace {

// Where the drive list goes, in client pixels; it is as wide as the "Connect as" edit.
constexpr int kDriveListX = 92;
constexpr int kDriveListY = 8;
constexpr int kDriveListDropHeight = 200;
// What the dialog grows by to take the tree of discs.
constexpr int kTreeHeight = 220;
constexpr int kHelpTopicForDisc = 17;
constexpr int kHelpTopicStandalone = 18;
// Access denied is taken as a refused password, but noted: it may have another cause.
constexpr char kAccessDeniedLine[] = "MapMediaDialog::HandleMapError | Unexpected ERROR_ACCESS_DENIED\n";

void MoveChildUp(HWND dialog, HWND child, int distance)
{
    const RECT rect = ChildRect(dialog, child);
    ::SetWindowPos(child, nullptr, rect.left, rect.top - distance, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowItem(HWND dialog, int id, bool show) { ::ShowWindow(::GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE); }

// A log line followed by the Windows error it reports.
void LogWithError(const char* line, DWORD error)
{
    Logging::OutToLogFile(line, static_cast<int>(error));
    Logging::OutToLogFile("\n");
}

} // namespace

MapMediaDialog::MapMediaDialog(std::string networkPath, MapDialogLaunch launch, const std::string& driveLetter,
                               const std::vector<std::string>* lettersInUse)
    : Dialog(IDD_MAP_DISC, g_hBasaltInstance),
      networkPath_(std::move(networkPath)),
      driveLetter_(driveLetter),
      isNt_(IsNtPlatform()),
      launch_(launch),
      lettersInUse_(lettersInUse ? *lettersInUse : std::vector<std::string>()),
      multi_(IsMultipleMappingLaunch(launch))
{
}

MapMediaDialog::~MapMediaDialog() = default;

INT_PTR MapMediaDialog::DoModal(HWND owner) { return Dialog::DoModal(owner); }

bool MapMediaDialog::OnInitDialog()
{
    const WaitCursor wait;
    driveList_ = std::make_unique<DriveLetterCombo>();
    if (!driveList_->Create(Window()))
        return false;
    FillDriveList();
    driveList_->AttachImages();
    PlaceDriveList();
    ::SetDlgItemTextA(Window(), IDC_MAP_PATH_TEXT, networkPath_.c_str());
    ShowModeControls();
    LoadControls();
    if (launch_ == LaunchedStandalone || multi_)
        AddTreeControl();
    SetModeTitle();
    ::SetForegroundWindow(Window());
    ::SetWindowPos(Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return true;
}

void MapMediaDialog::FillDriveList()
{
    // A letter whose connection cannot be read is left out; the others are still offered.
    const std::vector<DriveLetterEntry> letters = ListNetworkDriveLetters([](char, DWORD error) {
        LogWithError("MapMediaDialog::OnInitDialog() |                    Unexpected error when calling "
                     "WNetGetConnection: ",
                     error);
    });
    for (const DriveLetterEntry& entry : letters)
        driveList_->Add(entry);
    driveList_->Select(PreselectedLetterIndex(letters, driveLetter_, lettersInUse_));
}

void MapMediaDialog::PlaceDriveList()
{
    const RECT connectAs = ChildRect(Window(), Item(IDC_MAP_CONNECT_AS));
    // Right after its label in the tab order, so that the label's mnemonic reaches it.
    ::SetWindowPos(driveList_->Window(), Item(IDC_MAP_DRIVE_LABEL), kDriveListX, kDriveListY,
                   connectAs.right - connectAs.left, kDriveListDropHeight, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void MapMediaDialog::ShowModeControls()
{
    HWND window = Window();
    // Windows 95/98 connects as the logged-on user only; a multiple mapping connects nothing.
    const bool connectAs = isNt_ && !multi_;
    ShowItem(window, IDC_MAP_CONNECT_AS_LABEL, connectAs);
    ShowItem(window, IDC_MAP_CONNECT_AS, connectAs);
    reconnect_ = 1;
    if (multi_) {
        reconnect_ = 0;
        ShowItem(window, IDC_MAP_RECONNECT, false);
        ShowItem(window, IDHELP, false);
        ShowItem(window, IDC_MAP_BROWSE_NETWORK, true);
    }
}

void MapMediaDialog::AddTreeControl()
{
    HWND window = Window();
    HWND label = Item(IDC_MAP_TREE_LABEL);
    ::SetWindowTextA(label, CommonText(IDS_SHARED_DISCS_LABEL).c_str());
    ::ShowWindow(label, SW_SHOW);

    RECT frame{};
    ::GetWindowRect(window, &frame);
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                   frame.bottom - frame.top + kTreeHeight + ::GetSystemMetrics(SM_CYCAPTION),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (multi_) {
        // The hidden "Connect as" row leaves its place to the rows below it.
        const int freed = ChildRect(window, Item(IDC_MAP_BROWSE_NETWORK)).top -
                          ChildRect(window, Item(IDC_MAP_CONNECT_AS)).top;
        MoveChildUp(window, Item(IDC_MAP_BROWSE_NETWORK), freed);
        MoveChildUp(window, label, freed);
    }

    RECT client{};
    ::GetClientRect(window, &client);
    const RECT labelRect = ChildRect(window, label);
    const int insetX = ::GetSystemMetrics(SM_CXFRAME);
    const int insetY = ::GetSystemMetrics(SM_CYFRAME);
    const RECT place{insetX, labelRect.bottom + insetY, client.right - insetX, client.bottom - insetY};
    tree_ = std::make_unique<BrowseTreeCtrl>(window, place, IDC_MAP_TREE, true,
                                             [this](const std::string& path) { ChangePathData(path); });
    ShowItem(window, IDC_MAP_PATH_EDIT, true);
    ShowItem(window, IDC_MAP_PATH_TEXT, false);
}

void MapMediaDialog::SetModeTitle()
{
    UINT word = 0;
    if (launch_ == LaunchedAddItemPath || launch_ == LaunchedAddLOPath)
        word = IDS_ADD_TITLE_WORD;
    else if (launch_ == LaunchedEditItemPath || launch_ == LaunchedEditLOPath)
        word = IDS_EDIT_TITLE_WORD;
    if (word != 0)
        ::SetWindowTextA(Window(), FormatText(CommonText(IDS_MULTI_MAPPING_PATH_TITLE_FMT), CommonText(word)).c_str());
}

void MapMediaDialog::LoadControls()
{
    ::SetDlgItemTextA(Window(), IDC_MAP_PATH_EDIT, networkPath_.c_str());
    ::CheckDlgButton(Window(), IDC_MAP_RECONNECT, reconnect_ ? BST_CHECKED : BST_UNCHECKED);
}

bool MapMediaDialog::SaveControls()
{
    reconnect_ = ::IsDlgButtonChecked(Window(), IDC_MAP_RECONNECT) == BST_CHECKED ? 1 : 0;
    networkPath_ = WindowString(Item(IDC_MAP_PATH_EDIT));
    if (networkPath_.empty()) {
        ShowMessage(CommonText(IDS_ERR_STRING_EMPTY));
        return false;
    }
    if (networkPath_.find_first_of(CommonText(IDS_INVALID_NETWORK_PATH_CHARACTERS)) != std::string::npos) {
        ShowMessage(CommonText(IDS_ERR_NETWORK_PATH_BAD_CHARS));
        return false;
    }
    return true;
}

void MapMediaDialog::ChangePathData(const std::string& path)
{
    ::SetDlgItemTextA(Window(), IDC_MAP_PATH_EDIT, path.c_str());
    ::SetDlgItemTextA(Window(), IDC_MAP_PATH_TEXT, path.c_str());
}

bool MapMediaDialog::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_MAP_BROWSE_NETWORK && code == BN_CLICKED) {
        OnBrowse();
        return true;
    }
    if (id == IDHELP && code == BN_CLICKED) {
        OnHelp();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

bool MapMediaDialog::OnNotify(NMHDR& header, LRESULT& result) { return tree_ && tree_->HandleNotify(header, result); }

bool MapMediaDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    if (message != WM_HELP)
        return false;
    OnHelp();
    result = TRUE;
    return true;
}

void MapMediaDialog::OnHelp()
{
    if (launch_ == LaunchedStandalone)
        AuxiliaryFunctions::LaunchHelpFile(kHelpTopicStandalone);
    else if (launch_ == LaunchedForDisc)
        AuxiliaryFunctions::LaunchHelpFile(kHelpTopicForDisc);
}

void MapMediaDialog::OnBrowse()
{
    std::string path;
    if (!BrowseNetworkNeighbourhood(Window(), CommonText(IDS_SELECT_SHARED_DIRECTORY_TITLE), path))
        return;
    networkPath_ = path;
    ChangePathData(networkPath_);
}

void MapMediaDialog::OnOK()
{
    const WaitCursor wait;
    if (!SaveControls())
        return;
    const char letter = driveList_ ? driveList_->SelectedLetter() : 0;
    if (letter == 0)
        return;
    localName_ = std::string{letter, ':'};
    if (multi_) {
        driveLetter_ = std::string(1, letter);
        End(IDOK);
        return;
    }
    if (AddConnection(TypedUser()))
        End(IDOK);
}

void MapMediaDialog::OnDestroy()
{
    // The windows go while the dialog that holds them is still there.
    tree_.reset();
    driveList_.reset();
}

ConnectionCredentials MapMediaDialog::TypedUser() const
{
    ConnectionCredentials credentials;
    if (isNt_ && !multi_) {
        credentials.userName = WindowString(Item(IDC_MAP_CONNECT_AS));
        credentials.hasUserName = !credentials.userName.empty();
    }
    return credentials;
}

DWORD MapMediaDialog::Connect(const ConnectionCredentials& credentials)
{
    if (launch_ == LaunchedStandalone)
        ::SetDlgItemTextA(Window(), IDC_MAP_PATH_TEXT, WindowString(Item(IDC_MAP_PATH_EDIT)).c_str());
    const std::string remoteName = WindowString(Item(IDC_MAP_PATH_TEXT));
    // A cut name would name another share or be a wrong password: refuse it whole.
    const std::string problem = ConnectionLengthProblem(remoteName, credentials.userName, credentials.password);
    if (!problem.empty()) {
        ShowMessage(problem, MB_ICONEXCLAMATION);
        return ERROR_BAD_LENGTH;
    }
    return ConnectDrive(localName_, remoteName, credentials, reconnect_ ? CONNECT_UPDATE_PROFILE : 0);
}

bool MapMediaDialog::AddConnection(const ConnectionCredentials& credentials)
{
    const DWORD error = Connect(credentials);
    if (error == NO_ERROR)
        return true;
    if (error == ERROR_BAD_LENGTH)
        return false;
    return HandleMapError(error);
}

bool MapMediaDialog::HandleMapError(DWORD error)
{
    switch (error) {
    case ERROR_BAD_NET_NAME:
        ShowMessage(CommonText(IDS_ERR_CONNECTION_NOT_FOUND));
        return false;
    case ERROR_ACCESS_DENIED:
        Logging::OutToLogFile(kAccessDeniedLine);
        return HandleInvalidPassword();
    case ERROR_INVALID_PASSWORD:
        return HandleInvalidPassword();
    case ERROR_ALREADY_ASSIGNED:
    case ERROR_DEVICE_ALREADY_REMEMBERED:
        return HandleReconnection(error);
    case ERROR_BAD_USERNAME:
        ShowMessage(CommonText(IDS_ERR_USER_NAME_INVALID));
        return false;
    default:
        ShowMessage(CommonText(IDS_ERR_CONNECTION_NOT_ESTABLISHED));
        return false;
    }
}

bool MapMediaDialog::HandleInvalidPassword()
{
    if (!SaveControls())
        return false;
    // Asked again after every refusal of the password, until it is taken or the user cancels.
    for (;;) {
        MapPasswordDialog prompt(Window(), networkPath_, WindowString(Item(IDC_MAP_CONNECT_AS)));
        if (prompt.DoModal() != IDOK)
            return false;
        ConnectionCredentials credentials;
        credentials.userName = prompt.GetUserName();
        credentials.hasUserName = !credentials.userName.empty();
        credentials.password = prompt.GetPassword();
        credentials.hasPassword = true;
        const DWORD error = Connect(credentials);
        WipeSecret(credentials.password);
        if (error == NO_ERROR)
            return true;
        if (error == ERROR_ACCESS_DENIED)
            Logging::OutToLogFile(kAccessDeniedLine);
        else if (error != ERROR_INVALID_PASSWORD && error != ERROR_BAD_LENGTH)
            return HandleMapError(error);
    }
}

bool MapMediaDialog::HandleReconnection(DWORD error)
{
    const std::string wanted = WindowString(Item(IDC_MAP_PATH_TEXT));
    std::string present;
    const DWORD query = QueryConnection(localName_, present);
    if (query == ERROR_CONNECTION_UNAVAIL) {
        ShowMessage(FormatText(CommonText(IDS_ERR_RECONNECT_UNAVAILABLE_FMT), localName_, present),
                    MB_ICONEXCLAMATION);
        return false;
    }
    if (query != NO_ERROR) {
        LogWithError("MapMediaDialog::HandleReconnection, WNetGetConnection unexp. error", query);
        return false;
    }
    if (EqualsNoCase(present, wanted)) {
        ShowMessage(FormatText(CommonText(IDS_ERR_DEVICE_ALREADY_CONNECTED_FMT), localName_, present),
                    MB_ICONINFORMATION);
        return false;
    }
    const UINT question =
        error == ERROR_DEVICE_ALREADY_REMEMBERED ? IDS_ASK_OVERWRITE_REMEMBERED_FMT : IDS_ASK_REPLACE_CONNECTION_FMT;
    if (ShowMessage(FormatText(CommonText(question), localName_, present, wanted), MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES)
        return false;

    const DisconnectResult cancel = DisconnectDrive(localName_, ::GetActiveWindow());
    if (cancel.outcome == DisconnectOutcome::Refused)
        return false;
    if (cancel.outcome == DisconnectOutcome::Failed) {
        // Nothing was mapped: the dialog stays open for another letter or Cancel.
        LogWithError("MapMediaDialog::HandleReconnection| WNetCancelConnection2 returned ", cancel.error);
        ShowMessage(CommonText(IDS_ERR_CONNECTION_NOT_REPLACED));
        return false;
    }
    return AddConnection(TypedUser());
}

int MapMediaDialog::ShowMessage(const std::string& text, UINT style) const
{
    return ShowPrompt(Window(), text, ProductCaption(), style);
}
