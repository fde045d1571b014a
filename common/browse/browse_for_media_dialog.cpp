#include "browse/browse_for_media_dialog.h"

#include "browse/browse_tree_ctrl.h"
#include "browse/media_state_message.h"
#include "res/dialog_ids.h"
#include "resources/resources.h"
#include "ui/wait_cursor.h"

#include <stdexcept>

BrowseForMediaDialog::BrowseForMediaDialog(HWND owner) : Dialog(IDD_BROWSE_DISCS, g_hBasaltInstance), owner_(owner) {}

BrowseForMediaDialog::~BrowseForMediaDialog() = default;

INT_PTR BrowseForMediaDialog::DoModal()
{
    selected_.clear();
    return Dialog::DoModal(owner_);
}

bool BrowseForMediaDialog::OnInitDialog()
{
    HWND marker = Item(IDC_BROWSE_TREE_MARKER);
    if (!marker)
        throw std::runtime_error("the dialog has no place for the disc tree");
    RECT rect{};
    ::GetWindowRect(marker, &rect);
    ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
    tree_ = std::make_unique<BrowseTreeCtrl>(Window(), rect, IDC_BROWSE_TREE, false);
    ::SetWindowPos(tree_->Window(), marker, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool BrowseForMediaDialog::OnNotify(NMHDR& header, LRESULT& result)
{
    return tree_ && tree_->HandleNotify(header, result);
}

bool BrowseForMediaDialog::ReportUnreachable(const std::string& path)
{
    MediaStateType state = MediaAccessible;
    DWORD error = NO_ERROR;
    {
        const WaitCursor wait;
        state = CheckAccessToMedia(path);
        error = ::GetLastError();
    }
    ShowMediaStateError(Window(), state, path, error);
    return state != MediaAccessible;
}

void BrowseForMediaDialog::OnOK()
{
    const std::string path = tree_ ? tree_->GetSelectedMediaItem() : std::string();
    // OK without a disc is no choice, which callers take as such; a disc must be reachable.
    if (!path.empty() && ReportUnreachable(path))
        return;
    selected_ = path;
    End(IDOK);
}

void BrowseForMediaDialog::OnDestroy()
{
    // The tree goes while its window is still valid.
    tree_.reset();
}
