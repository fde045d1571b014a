#pragma once

#include "ui/ui_api.h"

#include <windows.h>

#include <atomic>

// The message handlers of a dialog window, shared by dialogs and property-sheet pages: the
// dialog procedure of each calls Dispatch inside its exception barrier.
class SUITE_UI_API DialogHandlers {
public:
    DialogHandlers() = default;
    virtual ~DialogHandlers() = default;
    DialogHandlers(const DialogHandlers&) = delete;
    DialogHandlers& operator=(const DialogHandlers&) = delete;

    // The window while it exists (readable from any thread).
    HWND Window() const { return window_.load(); }
    HWND Item(int id) const { return ::GetDlgItem(Window(), id); }

protected:
    // true lets the dialog manager give the first control the focus.
    virtual bool OnInitDialog() { return true; }
    // true when handled.
    virtual bool OnCommand(int, int, HWND) { return false; }
    // Control notifications; true when handled, result goes back to the sender.
    virtual bool OnNotify(NMHDR&, LRESULT&) { return false; }
    // Every other message; true when handled, with the dialog procedure's result.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
    // The window is going away.
    virtual void OnDestroy() {}

    // The answer to the current message for the dialog manager (DWLP_MSGRESULT).
    void SetMessageResult(LRESULT result);

    // Routes one message of the dialog procedure to the handlers above.
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void AttachWindow(HWND window) { window_ = window; }

private:
    // Where WM_NOTIFY goes; a property-sheet page takes its sheet's notifications first.
    virtual bool RouteNotify(NMHDR& header, LRESULT& result) { return OnNotify(header, result); }

    std::atomic<HWND> window_{nullptr};
};
