#include "ns_public_folders_page.h"

#include "help_topics.h"
#include "ns_property_sheet.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "text/text_compare.h"
#include "ui/prompt.h"
#include "ui/wait_cursor.h"
#include "ui/window_text.h"

#include <algorithm>

namespace {

constexpr char kPublicFoldersLoadCaller[] = "NSPublicFoldersPage::OnInitDialog";
// Posted by the page to itself: tell the user why no folders are listed once the page shows.
constexpr UINT kTellListingProblem = WM_APP + 1;

bool SameNames(std::vector<std::string> a, std::vector<std::string> b)
{
    const auto byName = [](const std::string& x, const std::string& y) { return CompareNoCase(x, y) < 0; };
    std::sort(a.begin(), a.end(), byName);
    std::sort(b.begin(), b.end(), byName);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const std::string& x, const std::string& y) { return EqualsNoCase(x, y); });
}

} // namespace

NSPublicFoldersPage::NSPublicFoldersPage(NSPropertySheet& sheet, PublicFoldersForm form)
    : SettingsPage(form == PublicFoldersForm::Administrator ? IDD_PUBLIC_FOLDERS_ADMIN_PAGE
                                                            : IDD_PUBLIC_FOLDERS_CLIENT_PAGE,
                   sheet, "NSPublicFoldersPage", kHelpTopicPublicFoldersPage),
      form_(form),
      location_(IDS_GLOBAL_DATA_LOCATION_VALUE, IDC_PUBLIC_LOCATION, IDC_PUBLIC_BROWSE, IDS_BROWSE_DATA_LOCATION_TITLE)
{
    AddSchedule(ScheduledTask::UpdatePublic, IDC_UPDATE_PUBLIC_SCHEDULE);
}

void NSPublicFoldersPage::LoadSettings()
{
    location_.Load(Window(), kPublicFoldersLoadCaller);
    if (form_ != PublicFoldersForm::Client)
        return;
    folderList_.Attach(Item(IDC_PUBLIC_FOLDER_LIST));
    ListFolders(false);
    if (listing_ != PublicFolderChoice::Listing::Listed)
        ::PostMessageA(Window(), kTellListingProblem, 0, 0);
}

void NSPublicFoldersPage::ListFolders(bool tellProblem)
{
    const WaitCursor wait;
    listedLocation_ = location_.Edited(Window());
    listing_ = choice_.Read(listedLocation_);
    choice_.Show(folderList_);
    if (tellProblem && listing_ != PublicFolderChoice::Listing::Listed)
        ShowErrorPrompt(Window(), PublicFolderChoice::ProblemText(listing_), WindowString(Sheet()));
}

bool NSPublicFoldersPage::SaveSettings()
{
    switch (location_.Save(Window(), SaveCaller())) {
    case MachineLocation::SaveResult::Failed:
        return false;
    case MachineLocation::SaveResult::Saved:
        if (form_ == PublicFoldersForm::Administrator)
            Settings().NoteDataLocationChanged();
        break;
    case MachineLocation::SaveResult::Unchanged:
        break;
    }
    return form_ != PublicFoldersForm::Client || ImportChosenFolders();
}

bool NSPublicFoldersPage::ImportChosenFolders()
{
    // A location typed and not yet listed: its folders are the ones to choose from.
    if (!EqualsNoCase(location_.Edited(Window()), listedLocation_))
        ListFolders(true);
    const std::vector<std::string> chosen = folderList_.CheckedNames();
    if (listing_ == PublicFolderChoice::Listing::Listed && !SameNames(chosen, choice_.Selected())) {
        const WaitCursor wait;
        // The user is told of each folder that could not be imported; the rest stays imported.
        choice_.Apply(chosen);
    }
    return true;
}

bool NSPublicFoldersPage::OnCommand(int id, int code, HWND control)
{
    if (location_.OnCommand(Window(), id, code)) {
        if (form_ == PublicFoldersForm::Client)
            ListFolders(true);
        return true;
    }
    if (form_ == PublicFoldersForm::Client && id == IDC_PUBLIC_LOCATION && code == EN_KILLFOCUS &&
        !EqualsNoCase(location_.Edited(Window()), listedLocation_))
        ListFolders(true);
    return SettingsPage::OnCommand(id, code, control);
}

bool NSPublicFoldersPage::OnNotify(NMHDR& header, LRESULT& result)
{
    if (folderList_.Window() && folderList_.IsCheckChange(header))
        NoteChange();
    return SettingsPage::OnNotify(header, result);
}

bool NSPublicFoldersPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message == kTellListingProblem) {
        ShowErrorPrompt(Window(), PublicFolderChoice::ProblemText(listing_), WindowString(Sheet()));
        return true;
    }
    return SettingsPage::OnMessage(message, wParam, lParam, result);
}
