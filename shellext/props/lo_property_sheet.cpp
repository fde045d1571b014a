#include "lo_property_sheet.h"

#include "cache/cache.h"
#include "folder/new_name_check.h"
#include "item_facts.h"
#include "lo_actions_page.h"
#include "lo_general_page.h"
#include "lo_mapping_page.h"
#include "logging/logging.h"
#include "module_instance.h"
#include "ns_result_codes.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "search_module_access.h"
#include "search_module_item_call.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/wait_cursor.h"

namespace {

constexpr UINT kWizardPageNames[] = {IDS_LO_PAGE_GENERAL, IDS_LO_PAGE_AUTOMAPPING, IDS_LO_PAGE_ACTIONS};
constexpr int kLastPage = 2;

bool NameTaken(const std::string& folderPath, const std::string& name)
{
    Cache folder(CacheFolderOnly, folderPath);
    CacheItem probe;
    probe.Name = probe.OriginalName = name;
    probe.ItemType = LaunchObject;
    return folder.ItemExists(probe);
}

} // namespace

LOPropertySheet::LOPropertySheet(const CacheItem& item, LOSheetPurpose purpose)
    : PropertySheetDialog(purpose == LOSheetPurpose::Create ? FormatText(CommonText(IDS_LO_WIZARD_TITLE_FMT),
                                                                         CommonText(kWizardPageNames[0]))
                                                            : item.Name,
                          g_hShellvueInstance, purpose == LOSheetPurpose::Create ? PSH_WIZARD : PSH_PROPTITLE),
      stored_(item), purpose_(purpose)
{
    if (purpose_ == LOSheetPurpose::Edit)
        stored_.GetMoreData();
    edited_ = stored_;
    insideAutoMapFolder_ = IsAutoMapFolderType(HoldingFolderType(stored_.FolderPath));
    PropertyPage* pages[] = {&AddPage(std::make_unique<LOGeneralPage>(*this)),
                             &AddPage(std::make_unique<LOMappingPage>(*this)),
                             &AddPage(std::make_unique<LOActionsPage>(*this))};
    // The wizard's title names the page shown.
    for (size_t i = 0; IsWizard() && i < std::size(pages); ++i)
        pages[i]->SetTitle(FormatText(CommonText(IDS_LO_WIZARD_TITLE_FMT), CommonText(kWizardPageNames[i])));
}

bool LOPropertySheet::Apply(const PropertyPage& page)
{
    // The General page, which is always there, commits the sheet for all of them.
    return &page != static_cast<const PropertyPage*>(generalPage_) || IsLaunchObjectOK();
}

void LOPropertySheet::PageShown(int index)
{
    if (!IsWizard() || index < 0 || index > kLastPage)
        return;
    const DWORD buttons = index == 0 ? PSWIZB_NEXT : index == kLastPage ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT;
    ::PostMessageA(Window(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

std::optional<std::string> LOPropertySheet::NameRefusal(std::string& name) const
{
    if (auto refusal = CheckNewName(stored_.FolderPath, stored_.Name, name))
        return refusal;
    const bool isNew = IsWizard() && !created_;
    if ((isNew || !EqualsNoCase(name, stored_.Name)) && NameTaken(stored_.FolderPath, name))
        return FormatText(CommonText(IDS_ERR_CREATE_NAME_EXISTS_FMT), name);
    return std::nullopt;
}

void LOPropertySheet::ShowNameRefusal(const std::string& text)
{
    ShowErrorPrompt(Window(), text);
    if (!generalPage_)
        return;
    // From the General page itself (leaving it) the sheet stays there without being told.
    const HWND shown = reinterpret_cast<HWND>(::SendMessageA(Window(), PSM_GETCURRENTPAGEHWND, 0, 0));
    if (shown != generalPage_->Window())
        ::SendMessageA(Window(), PSM_SETCURSEL, 0, 0);
    generalPage_->FocusName();
}

bool LOPropertySheet::IsLaunchObjectOK()
{
    std::string name = edited_.Name;
    if (const auto refusal = NameRefusal(name)) {
        ShowNameRefusal(*refusal);
        return false;
    }
    edited_.Name = name;
    Logging::OutToLogFile("LOPropertySheet::IsLaunchObjectOK() - Create/Update LO\n");
    const WaitCursor wait;
    const HWND owner = Window();
    return IsWizard() && !created_ ? Create(owner) : Update(owner);
}

bool LOPropertySheet::Create(HWND owner)
{
    const ListItemType holder = HoldingFolderType(stored_.FolderPath);
    if (holder == SystemFolder || IsAutoMapFolderType(holder)) {
        Logging::OutToLogFile("New Launch Object could not be added to this folder type.\n");
        ShowErrorPrompt(owner, CommonText(IDS_ERR_LAUNCH_OBJECT_NOT_ALLOWED));
        return false;
    }
    edited_.OriginalName = edited_.Name;
    if (!Accepted(SendToSearchModule(SearchModuleItemCall::Create, stored_.FolderPath, edited_), owner))
        return false;
    // Made: a retry after a later failure stores the rest without making it again.
    created_ = true;
    TakeDataSet1(stored_, edited_);
    return SaveLaunchData(owner);
}

bool LOPropertySheet::Update(HWND owner)
{
    if (!edited_.HasSameAttributeSet1(&stored_)) {
        CacheItem sent(edited_);
        if (edited_.Name != stored_.Name) {
            sent.Name = edited_.Name + "|" + stored_.Name;
            sent.OriginalName = stored_.Name;
        }
        if (!Accepted(SendToSearchModule(SearchModuleItemCall::Update, stored_.FolderPath, sent), owner))
            return false;
        edited_.OriginalName = edited_.Name;
        TakeDataSet1(stored_, edited_);
    }
    if (!edited_.HasSameAttributeSet2(&stored_) && !SaveLaunchData(owner))
        return false;
    stored_ = edited_;
    return true;
}

bool LOPropertySheet::Accepted(HRESULT result, HWND owner)
{
    const bool creating = IsWizard() && !created_;
    if (result == S_OK)
        return true;
    if (result == NSS_S_NAME_EXISTS) {
        if (creating)
            Logging::OutToLogFile("New Launch Object could not be added, name already exists.\n");
        ShowNameRefusal(FormatText(CommonText(IDS_ERR_CREATE_NAME_EXISTS_FMT), edited_.Name));
        return false;
    }
    if (creating && (result == NSS_S_ACCESS_DENIED || result == NSS_S_ADD_DENIED)) {
        Logging::OutToLogFile("New Launch Object could not be added to this folder type.\n");
        ShowErrorPrompt(owner, CommonText(IDS_ERR_LAUNCH_OBJECT_NOT_ALLOWED));
        return false;
    }
    if (creating)
        LogFormatted("New Launch Object could not be added through interface method. HRESULT=0x%08X\n",
                     static_cast<unsigned>(result));
    if (IsSearchModuleGone(result))
        ShowSearchModuleUnreachable(owner);
    else
        ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_ITEM_NOT_SAVED_FMT), edited_.Name));
    return false;
}

bool LOPropertySheet::SaveLaunchData(HWND owner)
{
    if (edited_.SaveMoreData())
        return true;
    const UINT message = IsWizard() ? IDS_ERR_NEW_ITEM_SETTINGS_NOT_SAVED_FMT : IDS_ERR_ITEM_NOT_SAVED_FMT;
    ShowErrorPrompt(owner, FormatText(CommonText(message), edited_.Name));
    return false;
}
