#include "lo_general_page.h"

#include "file_choice.h"
#include "icon_chooser.h"
#include "item_facts.h"
#include "launch/file_folder_dialog.h"
#include "lo_property_sheet.h"
#include "props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "ui/window_text.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

namespace {

constexpr UINT kStartAsNames[] = {IDS_START_AS_NORMAL, IDS_START_AS_MINIMIZED, IDS_START_AS_MAXIMIZED};

} // namespace

LOGeneralPage::LOGeneralPage(LOPropertySheet& sheet) : PropertyPage(IDD_LO_GENERAL_PAGE), sheet_(sheet)
{
    sheet_.SetGeneralPage(*this);
}

bool LOGeneralPage::OnInitDialog()
{
    loading_ = true;
    const CacheItem& item = sheet_.Stored();
    HWND page = Window();
    ::SetDlgItemTextA(page, IDC_LO_NAME, item.Name.c_str());
    ::SetDlgItemTextA(page, IDC_LO_TARGET_FILE, item.TargetFile.c_str());
    ::SetDlgItemTextA(page, IDC_LO_START_IN, item.StartIn.c_str());
    ::SetDlgItemTextA(page, IDC_LO_COMMENT, item.Comment.c_str());
    ::SetDlgItemTextA(page, IDC_LO_CONTACT_INFO, item.ContactInfo.c_str());
    for (UINT name : kStartAsNames)
        ::SendDlgItemMessageA(page, IDC_LO_START_AS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CommonText(name).c_str()));
    const int startAs = item.StartAs >= 0 && item.StartAs < static_cast<int>(std::size(kStartAsNames)) ? item.StartAs : 0;
    ::SendDlgItemMessageA(page, IDC_LO_START_AS, CB_SETCURSEL, static_cast<WPARAM>(startAs), 0);
    ShowIcon();
    loading_ = false;
    return true;
}

void LOGeneralPage::ShowIcon()
{
    const CacheItem& item = sheet_.Edited();
    HICON own = item.IconFile.empty() ? nullptr
                                      : ::ExtractIconA(nullptr, item.IconFile.c_str(), static_cast<UINT>(std::max(item.IconIndex, 0)));
    // ExtractIcon answers 1 for a file that is not one of icons.
    if (own == reinterpret_cast<HICON>(1))
        own = nullptr;
    icon_ = own ? ScopedIcon(own) : LargeIconOf(LaunchObject);
    ::SendDlgItemMessageA(Window(), IDC_ITEM_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
}

bool LOGeneralPage::OnCommand(int id, int code, HWND control)
{
    if (loading_)
        return false;
    CacheItem& edited = sheet_.Edited();
    if (code == EN_CHANGE) {
        std::string* field = id == IDC_LO_NAME           ? &edited.Name
                             : id == IDC_LO_TARGET_FILE  ? &edited.TargetFile
                             : id == IDC_LO_START_IN     ? &edited.StartIn
                             : id == IDC_LO_COMMENT      ? &edited.Comment
                             : id == IDC_LO_CONTACT_INFO ? &edited.ContactInfo
                                                         : nullptr;
        if (!field)
            return false;
        *field = WindowString(control);
        SetModified();
        return true;
    }
    if (id == IDC_LO_START_AS && code == CBN_SELCHANGE) {
        const LRESULT index = ::SendMessageA(control, CB_GETCURSEL, 0, 0);
        edited.StartAs = index == CB_ERR ? 0 : static_cast<int>(index);
        SetModified();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_LO_BROWSE_TARGET:
        BrowseForTarget();
        return true;
    case IDC_LO_BROWSE_START_IN:
        BrowseForStartFolder();
        return true;
    case IDC_LO_CHANGE_ICON:
        ChangeIcon();
        return true;
    default:
        return false;
    }
}

void LOGeneralPage::BrowseForTarget()
{
    if (const auto file = ChooseFile(Window(), WindowString(Item(IDC_LO_TARGET_FILE)), CommonText(IDS_SELECT_TARGET_FILE_TITLE)))
        ::SetDlgItemTextA(Window(), IDC_LO_TARGET_FILE, file->c_str());
}

void LOGeneralPage::BrowseForStartFolder()
{
    const std::string title = CommonText(IDS_SELECT_START_DIR_TITLE);
    const std::string label = CommonText(IDS_START_DIRECTORY_LABEL);
    const std::string current = WindowString(Item(IDC_LO_START_IN));
    FileFolderDialog dialog(Window(), title.c_str(), label.c_str(), nullptr, false, current.c_str(), nullptr,
                            OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    if (dialog.DoModal() == IDOK)
        ::SetDlgItemTextA(Window(), IDC_LO_START_IN, dialog.GetSelectedPath().c_str());
}

void LOGeneralPage::ChangeIcon()
{
    CacheItem& edited = sheet_.Edited();
    const std::string file = edited.IconFile.empty() ? edited.TargetFile : edited.IconFile;
    IconChooser chooser(file, edited.IconFile.empty() ? 0 : edited.IconIndex);
    if (chooser.DoModal(Window()) != IDOK)
        return;
    edited.IconFile = chooser.File();
    edited.IconIndex = chooser.Index();
    ShowIcon();
    SetModified();
}

bool LOGeneralPage::OnSetActive()
{
    sheet_.PageShown(0);
    return true;
}

bool LOGeneralPage::OnKillActive()
{
    std::string name = sheet_.Edited().Name;
    if (const auto refusal = sheet_.NameRefusal(name)) {
        sheet_.ShowNameRefusal(*refusal);
        return false;
    }
    sheet_.Edited().Name = name;
    return true;
}

void LOGeneralPage::FocusName()
{
    ::SetFocus(Item(IDC_LO_NAME));
    ::SendDlgItemMessageA(Window(), IDC_LO_NAME, EM_SETSEL, 0, -1);
}

bool LOGeneralPage::OnApply() { return sheet_.Apply(*this); }

bool LOGeneralPage::OnWizardFinish() { return sheet_.IsLaunchObjectOK(); }
