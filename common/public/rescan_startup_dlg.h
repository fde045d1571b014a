#pragma once

#include "basalt_api.h"
#include "com/com_apartment.h"
#include "nsinterfaces.h"
#include "ui/dialog.h"
#include "ui/ui_handles.h"

#include <windows.h>
#include <wrl/client.h>

#include <memory>

// "Scanning Network": tells the user that a background search of the network has started. While
// it is open it holds a connection to the search module, which keeps the module running.
class BASALT_API RescanStartupDlg : public Dialog {
public:
    // deleteOnClose: the dialog was made with new and deletes itself once DoModal has returned
    // (the caller must not use it afterwards). The second flag is kept for the caller.
    RescanStartupDlg(HWND parent, bool secondFlag, bool deleteOnClose);
    ~RescanStartupDlg() override;

    INT_PTR DoModal();

    bool SecondFlag() const { return secondFlag_; }
    // The search module's registration interface while the dialog is open; null when it could not
    // be had.
    IRegisterNSClient* SearchModule() const { return searchModule_.Get(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    HWND parent_;
    bool secondFlag_;
    bool deleteOnClose_;
    ScopedIcon icon_;
    // Declared in this order so that the interface goes before its apartment.
    std::unique_ptr<ComApartment> apartment_;
    Microsoft::WRL::ComPtr<IRegisterNSClient> searchModule_;
};
