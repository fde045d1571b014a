#pragma once

#include "ui/dialog.h"
#include "ui/ui_api.h"

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class PropertySheetDialog;

// One page of a property sheet or wizard. The sheet owns its pages: once the sheet runs, a
// page lives until the property-sheet manager releases it (PSPCB_RELEASE), whether it was ever
// shown or not. Its dialog procedure is an exception barrier like Dialog's: a handler that
// throws is reported and the whole sheet ends, as if cancelled, with kDialogFailed.
class SUITE_UI_API PropertyPage : public DialogHandlers {
public:
    // resourceModule: where the template lives; null means the sheet's resource module.
    explicit PropertyPage(UINT templateId, HINSTANCE resourceModule = nullptr);
    HWND Sheet() const { return ::GetParent(Window()); }
    UINT TemplateId() const { return templateId_; }

    // Tells the sheet that the page has changes to apply (Apply becomes available), or that
    // it has none any more.
    void SetModified(bool modified = true);
    bool IsModified() const { return modified_; }

    // The page's title instead of its template's caption (a wizard shows it as its own); call
    // before the sheet runs.
    void SetTitle(std::string title) { title_ = std::move(title); }

protected:
    // OnNotify gets the notifications other than the sheet's own, which have these handlers:

    // The page is about to be shown; false keeps it from being shown.
    virtual bool OnSetActive() { return true; }
    // The user leaves the page (another page, Apply, OK, Next); false keeps the page when
    // its input is not acceptable (the page tells the user why).
    virtual bool OnKillActive() { return true; }
    // Apply or OK: take over the page's changes; false keeps the sheet open and shows this page.
    virtual bool OnApply() { return true; }
    // The sheet is cancelled.
    virtual void OnReset() {}
    // false refuses a Cancel.
    virtual bool OnQueryCancel() { return true; }
    // Wizard buttons: 0 goes to the neighbouring page, -1 stays, a template id jumps there.
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    // false keeps the wizard open.
    virtual bool OnWizardFinish() { return true; }
    // The sheet's Help button, while this page is shown (see EnableHelpButton).
    virtual void OnHelp() {}

    // The sheet's Help button is available on this page; call before the sheet runs.
    void EnableHelpButton() { hasHelp_ = true; }

    // The buttons a wizard shows for this page (PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH);
    // call it from OnSetActive.
    void SetWizardButtons(DWORD buttons);

private:
    friend class PropertySheetDialog;

    // The page's handle for the sheet; the handle owns the page from then on.
    HPROPSHEETPAGE CreateHandle(PropertySheetDialog& sheet, HINSTANCE defaultModule);
    static UINT CALLBACK PageCallback(HWND window, UINT message, LPPROPSHEETPAGEA page);
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool RouteNotify(NMHDR& header, LRESULT& result) override;
    bool DispatchSheetNotification(NMHDR& header, LRESULT& result);

    const UINT templateId_;
    const HINSTANCE resourceModule_;
    std::string title_;
    PropertySheetDialog* sheet_ = nullptr;
    bool modified_ = false;
    bool hasHelp_ = false;
};

// A modal property sheet of pages, or (Wizard) a wizard.
class SUITE_UI_API PropertySheetDialog {
public:
    // resourceModule: where the pages' templates live, current while the sheet runs (null:
    // the module current when it is shown).
    explicit PropertySheetDialog(std::string caption, HINSTANCE resourceModule = nullptr);
    virtual ~PropertySheetDialog() = default;
    PropertySheetDialog(const PropertySheetDialog&) = delete;
    PropertySheetDialog& operator=(const PropertySheetDialog&) = delete;

    // Pages are shown in the order they are added. Returns the page, which stays valid while
    // the sheet runs.
    PropertyPage& AddPage(std::unique_ptr<PropertyPage> page);
    size_t PageCount() const { return pages_.size(); }
    // The first page shown; an index beyond the pages shows the first.
    void SetStartPage(UINT index) { startPage_ = index; }
    // The sheet has a Help button (available on the pages that enable it).
    void ShowHelpButton() { helpButton_ = true; }

    // Shows the sheet; for a property sheet, a positive answer when changes were applied and
    // 0 when it was cancelled; for a wizard, non-zero when it was finished. Every page is
    // released (deleted) when this returns, so a sheet runs once.
    INT_PTR DoModal(HWND owner);

    // The sheet's window while it runs (readable from any thread).
    HWND Window() const { return window_.load(); }
    bool Failed() const { return failed_.load(); }

protected:
    explicit PropertySheetDialog(std::string caption, HINSTANCE resourceModule, DWORD extraFlags);

private:
    friend class PropertyPage;

    // A page of the sheet got its window: so has the sheet.
    void PageCreated(HWND page) noexcept;
    // A page's handler failed: the sheet ends as if cancelled.
    void EndAfterFailure() noexcept;

    std::string caption_;
    const HINSTANCE resourceModule_;
    const DWORD extraFlags_;
    std::vector<std::unique_ptr<PropertyPage>> pages_;
    UINT startPage_ = 0;
    bool helpButton_ = false;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> failed_{false};
};

// A wizard: the pages in order, with Back, Next and Finish.
class SUITE_UI_API Wizard : public PropertySheetDialog {
public:
    explicit Wizard(std::string caption, HINSTANCE resourceModule = nullptr);
};
