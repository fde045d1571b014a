#include "ui/property_sheet.h"

#include "ui/failure_report.h"
#include "ui/resource_module.h"

#include <exception>

// --- PropertyPage ---------------------------------------------------------------------------

PropertyPage::PropertyPage(UINT templateId, HINSTANCE resourceModule)
    : templateId_(templateId), resourceModule_(resourceModule)
{
}

void PropertyPage::SetModified(bool modified)
{
    modified_ = modified;
    HWND sheet = Sheet();
    if (!sheet)
        return;
    ::SendMessageA(sheet, modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(Window()), 0);
}

void PropertyPage::SetWizardButtons(DWORD buttons)
{
    if (HWND sheet = Sheet())
        ::PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

HPROPSHEETPAGE PropertyPage::CreateHandle(PropertySheetDialog& sheet, HINSTANCE defaultModule)
{
    sheet_ = &sheet;
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USECALLBACK | (hasHelp_ ? PSP_HASHELP : 0) | (title_.empty() ? 0 : PSP_USETITLE);
    page.pszTitle = title_.empty() ? nullptr : title_.c_str();
    page.hInstance = resourceModule_ ? resourceModule_ : defaultModule;
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = &PropertyPage::Procedure;
    page.lParam = reinterpret_cast<LPARAM>(this);
    page.pfnCallback = &PropertyPage::PageCallback;
    return ::CreatePropertySheetPageA(&page);
}

// The property-sheet manager releases every page it was given, shown or not: that is where
// the page object ends.
UINT CALLBACK PropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEA page)
{
    if (message == PSPCB_RELEASE && page)
        delete reinterpret_cast<PropertyPage*>(page->lParam);
    return 1;
}

bool PropertyPage::DispatchSheetNotification(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_APPLY:
        if (OnApply()) {
            modified_ = false;
            result = PSNRET_NOERROR;
        } else {
            // The sheet shows the page that refused, whichever page the user was on.
            result = PSNRET_INVALID;
        }
        return true;
    case PSN_RESET:
        OnReset();
        result = 0;
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack();
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        return true;
    case PSN_WIZFINISH:
        result = OnWizardFinish() ? FALSE : TRUE;
        return true;
    case PSN_HELP:
        OnHelp();
        result = 0;
        return true;
    default:
        return false;
    }
}

bool PropertyPage::RouteNotify(NMHDR& header, LRESULT& result)
{
    return header.hwndFrom == Sheet() ? DispatchSheetNotification(header, result) : OnNotify(header, result);
}

INT_PTR CALLBACK PropertyPage::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PropertyPage* self = nullptr;
    if (message == WM_INITDIALOG) {
        // The sheet hands the page its own copy of the creation record.
        self = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->AttachWindow(window);
        if (self->sheet_)
            self->sheet_->PageCreated(window);
    } else {
        self = reinterpret_cast<PropertyPage*>(::GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!self)
        return FALSE;

    INT_PTR result = FALSE;
    if (self->sheet_ && !self->sheet_->Failed()) {
        bool failed = false;
        try {
            result = self->Dispatch(message, wParam, lParam);
        } catch (const std::exception& error) {
            ReportUiFailure("PropertyPage::DialogProc()", self->templateId_, error.what());
            failed = true;
        } catch (...) {
            ReportUiFailure("PropertyPage::DialogProc()", self->templateId_, "unknown exception");
            failed = true;
        }
        if (failed) {
            self->sheet_->EndAfterFailure();
            result = FALSE;
        }
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        self->AttachWindow(nullptr);
    }
    return result;
}

// --- PropertySheetDialog --------------------------------------------------------------------

PropertySheetDialog::PropertySheetDialog(std::string caption, HINSTANCE resourceModule)
    : PropertySheetDialog(std::move(caption), resourceModule, 0)
{
}

PropertySheetDialog::PropertySheetDialog(std::string caption, HINSTANCE resourceModule, DWORD extraFlags)
    : caption_(std::move(caption)), resourceModule_(resourceModule), extraFlags_(extraFlags)
{
}

PropertyPage& PropertySheetDialog::AddPage(std::unique_ptr<PropertyPage> page)
{
    pages_.push_back(std::move(page));
    return *pages_.back();
}

void PropertySheetDialog::PageCreated(HWND page) noexcept { window_ = ::GetParent(page); }

void PropertySheetDialog::EndAfterFailure() noexcept
{
    if (failed_.exchange(true))
        return;
    // Posted: the failing page is still on the stack, and the sheet's own Cancel must run
    // after it. With the failure noted no handler is called again.
    if (HWND sheet = Window())
        ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

INT_PTR PropertySheetDialog::DoModal(HWND owner)
{
    if (pages_.empty() || Window())
        return kDialogFailed;
    const ResourceModuleScope resources(resourceModule_ ? resourceModule_ : CurrentResourceModule());
    const HINSTANCE module = CurrentResourceModule();

    // Each handle owns its page from its creation on; pages without a handle are deleted
    // here, those with one by the property-sheet manager.
    std::vector<HPROPSHEETPAGE> handles;
    handles.reserve(pages_.size());
    for (std::unique_ptr<PropertyPage>& page : pages_) {
        HPROPSHEETPAGE handle = page->CreateHandle(*this, module);
        if (!handle) {
            for (HPROPSHEETPAGE created : handles)
                ::DestroyPropertySheetPage(created);
            pages_.clear();
            return kDialogFailed;
        }
        page.release();
        handles.push_back(handle);
    }
    pages_.clear();

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = extraFlags_ | (helpButton_ ? PSH_HASHELP : 0);
    header.hwndParent = owner;
    header.hInstance = module;
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = startPage_ < handles.size() ? startPage_ : 0;
    header.phpage = handles.data();

    failed_ = false;
    const INT_PTR result = ::PropertySheetA(&header);
    window_ = nullptr;
    return failed_ ? kDialogFailed : result;
}

// --- Wizard ---------------------------------------------------------------------------------

Wizard::Wizard(std::string caption, HINSTANCE resourceModule)
    : PropertySheetDialog(std::move(caption), resourceModule, PSH_WIZARD)
{
}
