#include "ui/dialog.h"

#include "ui/failure_report.h"
#include "ui/resource_module.h"

#include <exception>
#include <string>

Dialog::Dialog(UINT templateId, HINSTANCE resourceModule) : templateId_(templateId), resourceModule_(resourceModule) {}

Dialog::~Dialog()
{
    HWND window = Window();
    if (window && !modal_ && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
        ::DestroyWindow(window);
}

INT_PTR Dialog::DoModal(HWND owner)
{
    if (Window())
        return kDialogFailed;   // already showing
    const ResourceModuleScope resources(resourceModule_ ? resourceModule_ : CurrentResourceModule());
    modal_ = true;
    failed_ = false;
    const INT_PTR result = ::DialogBoxParamA(CurrentResourceModule(), MAKEINTRESOURCEA(templateId_), owner,
                                             &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    if (result == -1 && !failed_) {
        const std::string why = "the dialog could not be made, error " + std::to_string(::GetLastError());
        ReportUiFailure("Dialog::DoModal()", templateId_, why.c_str());
        return kDialogFailed;
    }
    return failed_ ? kDialogFailed : result;
}

bool Dialog::Create(HWND owner)
{
    if (Window())
        return false;
    const ResourceModuleScope resources(resourceModule_ ? resourceModule_ : CurrentResourceModule());
    modal_ = false;
    failed_ = false;
    HWND window = ::CreateDialogParamA(CurrentResourceModule(), MAKEINTRESOURCEA(templateId_), owner,
                                       &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    return window != nullptr && !failed_;
}

bool Dialog::PreTranslateMessage(MSG& message)
{
    HWND window = Window();
    return window && ::IsDialogMessageA(window, &message);
}

void Dialog::End(INT_PTR result)
{
    HWND window = Window();
    if (!window)
        return;
    if (modal_)
        ::EndDialog(window, result);
    else
        ::DestroyWindow(window);
}

bool Dialog::OnCommand(int id, int, HWND)
{
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::EndAfterFailure(const char* what) noexcept
{
    ReportUiFailure("Dialog::DialogProc()", templateId_, what);
    failed_ = true;
    End(kDialogFailed);
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->AttachWindow(window);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!self)
        return FALSE;

    INT_PTR result = FALSE;
    if (!self->failed_) {
        try {
            result = self->Dispatch(message, wParam, lParam);
        } catch (const std::exception& error) {
            self->EndAfterFailure(error.what());
        } catch (...) {
            self->EndAfterFailure("unknown exception");
        }
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        self->AttachWindow(nullptr);
    }
    return result;
}
