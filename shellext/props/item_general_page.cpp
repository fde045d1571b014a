#include "item_general_page.h"

#include "cache/cache.h"
#include "folder/new_name_check.h"
#include "item_facts.h"
#include "item_property_sheet.h"
#include "mapping/disc_opening.h"
#include "namespace/namespace_functions.h"
#include "props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/window_text.h"

namespace {

UINT GeneralTemplateOf(const CacheItem& item)
{
    if (item.IsSystemFolder() || item.ItemType == RootFolder)
        return IDD_SYSTEM_FOLDER_GENERAL_PAGE;
    return item.IsFolder() ? IDD_FOLDER_GENERAL_PAGE : IDD_DISC_GENERAL_PAGE;
}

std::string ContentsOf(const CacheItem& folder)
{
    const std::string path = folder.FolderPath.empty() ? folder.Name : folder.FolderPath + "\\" + folder.Name;
    const Cache contents(CacheReadFolder, path);
    return FormatText(CommonText(IDS_STATUS_OBJECT_COUNT_FMT), static_cast<int>(contents.ItemCount()));
}

} // namespace

ItemGeneralPage::ItemGeneralPage(ItemPropertySheet& sheet)
    : PropertyPage(GeneralTemplateOf(sheet.Stored())), sheet_(sheet)
{
}

bool ItemGeneralPage::EditsName() const { return TemplateId() != IDD_SYSTEM_FOLDER_GENERAL_PAGE; }

bool ItemGeneralPage::OnInitDialog()
{
    loading_ = true;
    const CacheItem& item = sheet_.Stored();
    HWND page = Window();
    ShowIcon();
    ::SetDlgItemTextA(page, IDC_ITEM_NAME, item.Name.c_str());
    ::SetDlgItemTextA(page, IDC_ITEM_COMMENT, item.Comment.c_str());
    // Imported public folders are named by the administrator.
    if (item.IsImportedFolder() || sheet_.IsReadOnly())
        ::SendDlgItemMessageA(page, IDC_ITEM_NAME, EM_SETREADONLY, TRUE, 0);
    if (sheet_.IsReadOnly())
        ::SendDlgItemMessageA(page, IDC_ITEM_COMMENT, EM_SETREADONLY, TRUE, 0);
    ShowFacts();
    if (TemplateId() == IDD_FOLDER_GENERAL_PAGE) {
        const bool offered = sheet_.OffersPublicFolder();
        ::ShowWindow(Item(IDC_MAKE_PUBLIC), offered ? SW_SHOW : SW_HIDE);
        ::CheckDlgButton(page, IDC_MAKE_PUBLIC, offered && item.PublicFolder ? BST_CHECKED : BST_UNCHECKED);
    }
    loading_ = false;
    return true;
}

void ItemGeneralPage::ShowIcon()
{
    icon_ = LargeIconOf(sheet_.Stored().ItemType);
    ::SendDlgItemMessageA(Window(), IDC_ITEM_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
}

void ItemGeneralPage::ShowFacts()
{
    const CacheItem& item = sheet_.Stored();
    HWND page = Window();
    ::SetDlgItemTextA(page, IDC_ITEM_TYPE, item.Type.c_str());
    ::SetDlgItemTextA(page, IDC_ITEM_LOCATION, LocationOf(item).c_str());
    if (TemplateId() == IDD_DISC_GENERAL_PAGE)
        ::SetDlgItemTextA(page, IDC_ITEM_SERVER, ServerOf(item).c_str());
    if (TemplateId() == IDD_FOLDER_GENERAL_PAGE)
        ::SetDlgItemTextA(page, IDC_ITEM_CONTAINS, ContentsOf(item).c_str());
}

bool ItemGeneralPage::OnCommand(int id, int code, HWND)
{
    if (loading_)
        return false;
    CacheItem& edited = sheet_.Edited();
    if ((id == IDC_ITEM_NAME || id == IDC_ITEM_COMMENT) && code == EN_CHANGE && EditsName()) {
        const std::string text = WindowString(Item(id));
        (id == IDC_ITEM_NAME ? edited.Name : edited.Comment) = text;
        SetModified();
        return true;
    }
    if (id == IDC_FIND_TARGET && code == BN_CLICKED) {
        // As a shortcut's Find Target does: Explorer opens on the disc's server with the disc
        // selected.
        NamespaceFunctions::LaunchExplorer("/select,\"" + DiscNetworkPath(sheet_.Stored()) + "\"");
        return true;
    }
    if (id == IDC_MAKE_PUBLIC && code == BN_CLICKED) {
        edited.PublicFolder = ::IsDlgButtonChecked(Window(), IDC_MAKE_PUBLIC) == BST_CHECKED ? 1 : 0;
        SetModified();
        return true;
    }
    return false;
}

bool ItemGeneralPage::OnKillActive()
{
    if (!EditsName())
        return true;
    CacheItem& edited = sheet_.Edited();
    std::string name = edited.Name;
    if (name == sheet_.Stored().Name)
        return true;
    if (const auto refusal = CheckNewName(edited.FolderPath, sheet_.Stored().Name, name)) {
        ShowPrompt(Window(), *refusal, CommonText(IDS_CAPTION_ERROR_RENAMING), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
        ::SetFocus(Item(IDC_ITEM_NAME));
        ::SendDlgItemMessageA(Window(), IDC_ITEM_NAME, EM_SETSEL, 0, -1);
        return false;
    }
    // The name as it will be stored, without the blanks around it.
    edited.Name = name;
    return true;
}

bool ItemGeneralPage::OnApply() { return sheet_.Apply(*this); }
