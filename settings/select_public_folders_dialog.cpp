#include "select_public_folders_dialog.h"

#include "public_folder_choice.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "resources/texts.h"
#include "ui/wait_cursor.h"

SelectPublicFoldersDialog::SelectPublicFoldersDialog(PublicFolderChoice& choice)
    : DialwiseDialog(IDD_SELECT_PUBLIC_FOLDERS), choice_(choice)
{
}

bool SelectPublicFoldersDialog::OnInitDialog()
{
    // The title by which a second start finds this window.
    ::SetWindowTextA(Window(), ProgramText(IDS_SELECT_PUBLIC_FOLDERS_TITLE).c_str());
    folders_.Attach(Item(IDC_SELECT_PUBLIC_FOLDER_LIST));
    choice_.Show(folders_);
    return true;
}

void SelectPublicFoldersDialog::OnOK()
{
    {
        const WaitCursor wait;
        choice_.Apply(folders_.CheckedNames());
    }
    End(IDOK);
}
