#pragma once

#include "check_list.h"
#include "dialwise_dialog.h"

class PublicFolderChoice;

// "Select Public Folders": the folders the administrator made public, ticked where the user
// selected them before; OK imports the ones ticked and stores the choice.
class SelectPublicFoldersDialog final : public DialwiseDialog {
public:
    // choice: read (Listed) before the dialog is shown.
    explicit SelectPublicFoldersDialog(PublicFolderChoice& choice);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    PublicFolderChoice& choice_;
    CheckList folders_;
};
