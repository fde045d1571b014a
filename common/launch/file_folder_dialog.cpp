#include "launch/file_folder_dialog.h"

#include "launch/disc_choice.h"
#include "launch/folder_path_check.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/dialog.h"
#include "ui/failure_report.h"
#include "ui/prompt.h"
#include "ui/resource_module.h"
#include "ui/window_geometry.h"
#include "ui/window_text.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kPathEditId = 102;
constexpr int kBrowseDiscsId = 103;
constexpr DWORD kFileBufferChars = 4096;
// Lists only folders: no file name has two dots for an extension.
constexpr char kFoldersOnly[] = "*..*";
// Where a running dialog's state hangs on the common dialog's window.
constexpr char kStateProperty[] = "Halvo.FileFolderDialog";

void MoveChild(HWND child, const RECT& rect)
{
    if (child)
        ::MoveWindow(child, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

// The lowest edge of the dialog's controls that are to be seen (the dialog itself is not shown
// yet), leaving out the hook's own child dialog.
LONG LowestVisibleControl(HWND dialog, HWND hookDialog)
{
    LONG lowest = 0;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (child != hookDialog && (::GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0)
            lowest = std::max(lowest, ChildRect(dialog, child).bottom);
    }
    return lowest;
}

// "description|pattern|...": the common dialog wants the pairs separated by nulls, the list
// ended by two.
std::string FilterForCommonDialog(const std::string& filter)
{
    std::string packed = filter;
    std::replace(packed.begin(), packed.end(), '|', '\0');
    packed.append(2, '\0');
    return packed;
}

} // namespace

// One showing of the dialog: the controls it added and the common dialog's own window
// procedure. Kept per window, so dialogs open on several threads at once do not meet.
class FileFolderDialog::Window {
public:
    explicit Window(const FileFolderDialog& settings) : settings_(settings) {}
    ~Window() { Detach(); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    static UINT_PTR CALLBACK HookProcedure(HWND hookDialog, UINT message, WPARAM wParam, LPARAM lParam);

    bool Failed() const { return failed_; }
    bool Accepted() const { return accepted_; }
    const std::string& Path() const { return path_; }

private:
    static LRESULT CALLBACK NavigationProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    void OnShown(HWND dialog, HWND hookDialog);
    void LayOut(HWND hookDialog);
    void Attach();
    void Detach() noexcept;
    void ShowCurrentFolder();
    std::string CurrentFolder() const;
    // true when the OK was dealt with here and must not reach the common dialog.
    bool OnOK();
    void OnBrowseDiscs();
    // The common dialog wants to close on the disc instead of opening it (a system that cannot
    // open a network path there): it stays, with the disc's path ready to be chosen. true then.
    bool KeepOpenForDisc();
    void FailAndClose(const char* what) noexcept;

    const FileFolderDialog& settings_;
    HWND dialog_ = nullptr;
    HWND fileNameControl_ = nullptr;
    HWND pathEdit_ = nullptr;
    WNDPROC previousProcedure_ = nullptr;
    bool browsedDisc_ = false;
    // The disc being opened while its OK goes to the common dialog.
    std::string openingDisc_;
    bool failed_ = false;
    bool accepted_ = false;
    std::string path_;
};

UINT_PTR CALLBACK FileFolderDialog::Window::HookProcedure(HWND hookDialog, UINT message, WPARAM, LPARAM lParam)
{
    Window* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Window*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        ::SetWindowLongPtrA(hookDialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        return TRUE;
    }
    self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hookDialog, DWLP_USER));
    if (!self || self->failed_ || message != WM_NOTIFY)
        return 0;
    try {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == CDN_INITDONE) {
            self->OnShown(::GetParent(hookDialog), hookDialog);
        } else if (header->code == CDN_FOLDERCHANGE) {
            self->ShowCurrentFolder();
        } else if (header->code == CDN_FILEOK && self->KeepOpenForDisc()) {
            ::SetWindowLongPtrA(hookDialog, DWLP_MSGRESULT, 1);
            return TRUE;
        }
    } catch (const std::exception& error) {
        self->FailAndClose(error.what());
    } catch (...) {
        self->FailAndClose("unknown exception");
    }
    return 0;
}

LRESULT CALLBACK FileFolderDialog::Window::NavigationProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<Window*>(::GetPropA(dialog, kStateProperty));
    if (!self)
        return ::DefDlgProcA(dialog, message, wParam, lParam);
    const WNDPROC previous = self->previousProcedure_;
    if (message == WM_NCDESTROY) {
        self->Detach();
        return ::CallWindowProcA(previous, dialog, message, wParam, lParam);
    }
    if (message == WM_COMMAND && !self->failed_) {
        try {
            if (LOWORD(wParam) == IDOK && self->OnOK())
                return 0;
            if (LOWORD(wParam) == kBrowseDiscsId) {
                self->OnBrowseDiscs();
                return 0;
            }
        } catch (const std::exception& error) {
            self->FailAndClose(error.what());
            return 0;
        } catch (...) {
            self->FailAndClose("unknown exception");
            return 0;
        }
    }
    return ::CallWindowProcA(previous, dialog, message, wParam, lParam);
}

void FileFolderDialog::Window::OnShown(HWND dialog, HWND hookDialog)
{
    dialog_ = dialog;
    // Found by what the dialog has: an edit on older systems, a combo box where the dialog
    // remembers recent names.
    fileNameControl_ = ::GetDlgItem(dialog, edt1);
    if (!fileNameControl_)
        fileNameControl_ = ::GetDlgItem(dialog, cmb13);
    LayOut(hookDialog);
    Attach();
    ::SetForegroundWindow(dialog);
    ::SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void FileFolderDialog::Window::LayOut(HWND hookDialog)
{
    HWND dialog = dialog_;
    RECT client{};
    ::GetClientRect(dialog, &client);
    const LONG margin = std::max<LONG>(client.bottom - LowestVisibleControl(dialog, hookDialog), 0);
    const LPARAM font = ::SendMessageA(dialog, WM_GETFONT, 0, 0);
    HWND ok = ::GetDlgItem(dialog, IDOK);
    HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
    const RECT okRect = ChildRect(dialog, ok);
    const RECT cancelRect = ChildRect(dialog, cancel);

    RECT editRect{okRect.left - 200, okRect.top, okRect.left - 8, okRect.bottom};
    if (fileNameControl_) {
        editRect = ChildRect(dialog, fileNameControl_);
        editRect.bottom = editRect.top + std::min(editRect.bottom - editRect.top, okRect.bottom - okRect.top);
        ::ShowWindow(fileNameControl_, SW_HIDE);
    }
    ::OffsetRect(&editRect, 0, 12);
    pathEdit_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", settings_.initialDirectory_.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, editRect.left, editRect.top,
                                  editRect.right - editRect.left, editRect.bottom - editRect.top, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPathEditId)), g_hBasaltInstance, nullptr);
    if (!pathEdit_)
        throw std::runtime_error("the path edit could not be made");
    ::SendMessageA(pathEdit_, WM_SETFONT, font, FALSE);
    if (fileNameControl_)
        ::SetWindowPos(pathEdit_, fileNameControl_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ::SetWindowTextA(ok, settings_.buttonText_.c_str());
    ::SetWindowTextA(dialog, settings_.title_.c_str());
    if (HWND label = ::GetDlgItem(dialog, stc3)) {
        ::SetWindowTextA(label, settings_.label_.c_str());
        RECT labelRect = ChildRect(dialog, label);
        labelRect.right += 100;
        ::OffsetRect(&labelRect, 0, -6);
        // A label taller than one line would cover the top of the edit.
        labelRect.bottom = std::min(labelRect.bottom, editRect.top);
        MoveChild(label, labelRect);
    }

    HWND typeLabel = ::GetDlgItem(dialog, stc2);
    HWND typeCombo = ::GetDlgItem(dialog, cmb1);
    if (settings_.fileMode_ && !settings_.filter_.empty()) {
        // The types move down under the path edit.
        for (HWND control : {typeLabel, typeCombo}) {
            RECT rect = ChildRect(dialog, control);
            ::OffsetRect(&rect, 0, 20);
            MoveChild(control, rect);
        }
    } else {
        ::ShowWindow(typeLabel, SW_HIDE);
        ::ShowWindow(typeCombo, SW_HIDE);
    }

    // Below Cancel, in the column of the dialog's buttons.
    RECT browseRect = cancelRect;
    ::OffsetRect(&browseRect, 0, cancelRect.bottom + (cancelRect.top - okRect.bottom) - cancelRect.top);
    HWND browse = ::CreateWindowExA(0, "BUTTON", CommonText(IDS_BROWSE_DISCS_BUTTON).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, browseRect.left, browseRect.top,
                                    browseRect.right - browseRect.left, browseRect.bottom - browseRect.top, dialog,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBrowseDiscsId)), g_hBasaltInstance,
                                    nullptr);
    if (!browse)
        throw std::runtime_error("the Browse Discs button could not be made");
    ::SendMessageA(browse, WM_SETFONT, font, FALSE);
    ::SetWindowPos(browse, cancel, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Fit the dialog round its controls and centre it on its owner, or on the screen.
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top + (LowestVisibleControl(dialog, hookDialog) + margin - client.bottom);
    RECT area{};
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || !::GetWindowRect(owner, &area))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const LONG left = area.left + (area.right - area.left - width) / 2;
    const LONG top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(dialog, nullptr, std::max(left, area.left), std::max(top, area.top), width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(dialog, nullptr, TRUE);
}

void FileFolderDialog::Window::Attach()
{
    if (!::SetPropA(dialog_, kStateProperty, this))
        throw std::runtime_error("the dialog's state could not be kept");
    previousProcedure_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::NavigationProcedure)));
    if (!previousProcedure_) {
        ::RemovePropA(dialog_, kStateProperty);
        throw std::runtime_error("the dialog's window procedure could not be replaced");
    }
}

void FileFolderDialog::Window::Detach() noexcept
{
    if (!dialog_ || !previousProcedure_)
        return;
    if (::GetPropA(dialog_, kStateProperty) == this) {
        ::SetWindowLongPtrA(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure_));
        ::RemovePropA(dialog_, kStateProperty);
    }
    previousProcedure_ = nullptr;
}

std::string FileFolderDialog::Window::CurrentFolder() const
{
    char folder[kFileBufferChars] = {};
    const LRESULT length = ::SendMessageA(dialog_, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    // A folder outside the file system (My Computer, the network) has no path; some systems
    // answer with the shell's own name for it ("::{class id}") instead of failing.
    if (length <= 0 || static_cast<size_t>(length) > sizeof folder || (folder[0] == ':' && folder[1] == ':'))
        return std::string();
    return folder;
}

void FileFolderDialog::Window::ShowCurrentFolder()
{
    if (pathEdit_)
        ::SetWindowTextA(pathEdit_, CurrentFolder().c_str());
}

bool FileFolderDialog::Window::OnOK()
{
    if (browsedDisc_) {
        // The common dialog's own OK: it opens the disc put into its file-name control.
        browsedDisc_ = false;
        return false;
    }
    std::string typed = WindowString(pathEdit_);
    if (typed.empty())
        typed = CurrentFolder();
    const FolderPathCheck check = CheckFolderPath(typed, settings_.fileMode_);
    switch (check.verdict) {
    case FolderPathVerdict::Invalid:
        ShowErrorPrompt(dialog_, FormatText(CommonText(IDS_ERR_PATH_INVALID_FMT), typed));
        break;
    case FolderPathVerdict::Missing:
        ShowErrorPrompt(dialog_, FormatText(CommonText(IDS_ERR_PATH_DOES_NOT_EXIST_FMT), check.path));
        break;
    case FolderPathVerdict::Accepted:
        path_ = check.path;
        accepted_ = true;
        ::EndDialog(dialog_, IDOK);
        break;
    }
    return true;
}

void FileFolderDialog::Window::OnBrowseDiscs()
{
    const std::string disc = ChooseDiscNetworkPath(dialog_);
    if (disc.empty() || !fileNameControl_)
        return;
    ::SetWindowTextA(fileNameControl_, disc.c_str());
    browsedDisc_ = true;
    openingDisc_ = disc;
    ::SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, IDOK)));
    browsedDisc_ = false;
    openingDisc_.clear();
    ::SetWindowTextA(fileNameControl_, "");
}

bool FileFolderDialog::Window::KeepOpenForDisc()
{
    if (openingDisc_.empty())
        return false;
    ::SetWindowTextA(pathEdit_, openingDisc_.c_str());
    return true;
}

void FileFolderDialog::Window::FailAndClose(const char* what) noexcept
{
    ReportUiFailure("FileFolderDialog::DoModal()", 0, what);
    failed_ = true;
    if (dialog_)
        ::EndDialog(dialog_, IDCANCEL);
}

FileFolderDialog::FileFolderDialog(HWND owner, const char* title, const char* label, const char* buttonText,
                                   bool fileMode, const char* initialDirectory, const char* filter, unsigned long flags)
    : owner_(owner),
      title_(title ? title : CommonText(IDS_SELECT_FOLDER_TITLE)),
      label_(label ? label : CommonText(IDS_SELECT_BUTTON_TEXT)),
      buttonText_(buttonText ? buttonText : CommonText(IDS_SELECT_BUTTON_TEXT)),
      fileMode_(fileMode),
      initialDirectory_(initialDirectory ? initialDirectory : ""),
      filter_(filter ? filter : ""),
      flags_(flags)
{
}

FileFolderDialog::~FileFolderDialog() = default;

INT_PTR FileFolderDialog::DoModal()
{
    const ResourceModuleScope resources(g_hBasaltInstance);
    selectedPath_.clear();
    Window window(*this);

    std::vector<char> file(kFileBufferChars, '\0');
    if (!fileMode_)
        std::copy(std::begin(kFoldersOnly), std::end(kFoldersOnly), file.begin());
    const std::string filter = filter_.empty() ? std::string() : FilterForCommonDialog(filter_);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner_;
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = filter.empty() ? 0 : 1;
    request.lpstrFile = file.data();
    request.nMaxFile = kFileBufferChars;
    request.lpstrInitialDir = initialDirectory_.empty() ? nullptr : initialDirectory_.c_str();
    request.lpstrTitle = title_.c_str();
    request.Flags = flags_ | OFN_EXPLORER | OFN_ENABLEHOOK;
    request.lCustData = reinterpret_cast<LPARAM>(&window);
    request.lpfnHook = &Window::HookProcedure;

    const BOOL closedWithOK = ::GetOpenFileNameA(&request);
    if (window.Failed())
        return kDialogFailed;
    if (window.Accepted()) {
        selectedPath_ = window.Path();
        return IDOK;
    }
    // In file mode the user may also open a file straight from the list.
    if (closedWithOK && fileMode_) {
        const FolderPathCheck check = CheckFolderPath(file.data(), true);
        if (check.verdict == FolderPathVerdict::Accepted) {
            selectedPath_ = check.path;
            return IDOK;
        }
    }
    if (const DWORD error = ::CommDlgExtendedError(); !closedWithOK && error != 0) {
        LogFormatted("FileFolderDialog::DoModal() - the Open dialog failed: 0x%lx\n", static_cast<unsigned long>(error));
        return kDialogFailed;
    }
    return IDCANCEL;
}

std::string FileFolderDialog::GetSelectedPath() const { return selectedPath_; }
