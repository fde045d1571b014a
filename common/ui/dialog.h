#pragma once

#include "ui/dialog_handlers.h"
#include "ui/ui_api.h"

#include <windows.h>

#include <atomic>

// What DoModal answers when a dialog or property sheet could not be shown or ended because one
// of its handlers failed.
inline constexpr INT_PTR kDialogFailed = -1;

// The base of every dialog of the suite, modal or modeless, over the Win32 dialog manager.
// Its dialog procedure is the one exception barrier of the dialog: whatever a handler throws is
// reported (ReportUiFailure) and the dialog ends at once (a modal one with kDialogFailed, a
// modeless one is destroyed); no exception ever leaves the window procedure, and no handler is
// called again after the failure.
class SUITE_UI_API Dialog : public DialogHandlers {
public:
    // resourceModule: where the template lives; null means the module current when the dialog
    // is shown (CurrentResourceModule). That module stays current while the dialog runs, so
    // the dialogs it opens in turn are found there too.
    explicit Dialog(UINT templateId, HINSTANCE resourceModule = nullptr);
    // A modeless dialog still open is destroyed (on its own thread only).
    ~Dialog() override;

    // Runs the dialog modally; returns what End was given, kDialogFailed when it could not be
    // shown or a handler failed.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modeless (shown when its template says WS_VISIBLE); false when it
    // could not be made or its initialisation failed.
    bool Create(HWND owner);
    // For the message loop that hosts a modeless dialog: true when the message was the
    // dialog's (keyboard navigation) and must not be dispatched again.
    bool PreTranslateMessage(MSG& message);

    UINT TemplateId() const { return templateId_; }
    // True when the dialog ended because a handler failed.
    bool Failed() const { return failed_.load(); }

    // Ends the dialog: a modal one returns result from DoModal, a modeless one is destroyed.
    void End(INT_PTR result);

protected:
    // The default ends the dialog on IDOK (OnOK) and IDCANCEL (OnCancel).
    bool OnCommand(int id, int code, HWND control) override;
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void EndAfterFailure(const char* what) noexcept;

    const UINT templateId_;
    const HINSTANCE resourceModule_;
    std::atomic<bool> failed_{false};
    bool modal_ = false;
};
