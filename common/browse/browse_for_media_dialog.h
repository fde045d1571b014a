#pragma once

#include "basalt_api.h"
#include "ui/dialog.h"

#include <windows.h>

#include <memory>
#include <string>

// Whether a disc can be reached over the network.
enum MediaStateType : int {
    MediaAccessible = 0,
    MediaAccessDenied = 1,
    MediaNotFound = 2,
    MediaOtherError = 3,
    MediaWrongPassword = 4,
};

class BrowseTreeCtrl;

// "Browse Discs": the user picks a disc from the tree of the namespace's folders, and OK
// accepts it only when the disc can be reached.
class BASALT_API BrowseForMediaDialog : public Dialog {
public:
    explicit BrowseForMediaDialog(HWND owner);
    ~BrowseForMediaDialog() override;

    // Runs the dialog with Basalt's templates; IDOK or IDCANCEL (kDialogFailed when it failed).
    INT_PTR DoModal();
    // The network path of the disc chosen with OK; empty when no disc was chosen.
    std::string GetSelectedMedia() const { return selected_; }

    // Lists the disc's top folder to learn whether it can be reached. The Windows error of the
    // attempt is left as the thread's last error (0 when the disc is reachable).
    static MediaStateType CheckAccessToMedia(const std::string& networkPath);

protected:
    bool OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    // Tells the user why the disc cannot be had; false when it can.
    bool ReportUnreachable(const std::string& path);

    HWND owner_;
    std::unique_ptr<BrowseTreeCtrl> tree_;
    std::string selected_;
};
