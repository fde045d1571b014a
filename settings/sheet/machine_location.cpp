#include "machine_location.h"

#include "pidl/pidl_mgr.h"
#include "res/dialwise_string_ids.h"
#include "resources/texts.h"
#include "setting_values.h"
#include "text/ascii_text.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

#include <shlobj.h>

void MachineLocation::Load(HWND page, const char* caller)
{
    stored_ = ReadSettingText(SettingsHive::Machine, valueNameId_, caller);
    ::SetDlgItemTextA(page, editId_, stored_.c_str());
}

bool MachineLocation::OnCommand(HWND page, int id, int code)
{
    if (id != browseId_ || code != BN_CLICKED)
        return false;
    Browse(page);
    return true;
}

void MachineLocation::Browse(HWND page)
{
    const std::string title = ProgramText(browseTitleId_);
    BROWSEINFOA browse{};
    browse.hwndOwner = page;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    const ScopedPidl chosen(::SHBrowseForFolderA(&browse));
    if (!chosen)
        return;
    char path[MAX_PATH] = {};
    if (::SHGetPathFromIDListA(chosen.get(), path))
        ::SetDlgItemTextA(page, editId_, path);
}

std::string MachineLocation::Edited(HWND page) const { return std::string(TrimmedBlanks(WindowString(::GetDlgItem(page, editId_)))); }

MachineLocation::SaveResult MachineLocation::Save(HWND page, const char* caller)
{
    const std::string edited = Edited(page);
    if (edited == stored_)
        return SaveResult::Unchanged;
    const long error = WriteSettingText(SettingsHive::Machine, valueNameId_, edited, caller);
    if (error != 0) {
        const std::string text =
            FormatText(ProgramText(IDS_MACHINE_SETTING_NOT_SAVED_FMT), CommonText(valueNameId_), static_cast<int>(error));
        ShowErrorPrompt(page, text, WindowString(::GetParent(page)));
        return SaveResult::Failed;
    }
    stored_ = edited;
    return SaveResult::Saved;
}
