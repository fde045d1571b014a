#include "ns_disc_search_page.h"

#include "help_topics.h"
#include "ns_property_sheet.h"
#include "res/dialwise_ids.h"
#include "smb_properties_dialog.h"

namespace {

constexpr char kDiscSearchLoadCaller[] = "NSDiscSearchPage::OnInitDialog";

} // namespace

NSDiscSearchPage::NSDiscSearchPage(NSPropertySheet& sheet)
    : SettingsPage(IDD_DISC_SEARCH_PAGE, sheet, "NSDiscSearchPage", kHelpTopicDiscSearchPage)
{
    AddSchedule(ScheduledTask::QuickSearch, IDC_REFRESH_SCHEDULE);
    AddSchedule(ScheduledTask::FullSearch, IDC_RESCAN_SCHEDULE);
}

void NSDiscSearchPage::LoadSettings()
{
    networkList_.Attach(Item(IDC_DISC_SEARCH_NETWORKS));
    networks_ = ReadNetworkChoice(kDiscSearchLoadCaller);
    for (const OfferedNetwork& network : networks_)
        networkList_.Add(network.name, network.searched);
    domains_ = editedDomains_ = ReadDomainChoice(kDiscSearchLoadCaller);
}

std::vector<OfferedNetwork> NSDiscSearchPage::EditedNetworks() const
{
    std::vector<OfferedNetwork> edited = networks_;
    for (size_t index = 0; index < edited.size(); ++index)
        edited[index].searched = networkList_.IsChecked(static_cast<int>(index));
    return edited;
}

bool NSDiscSearchPage::SaveSettings()
{
    const std::vector<OfferedNetwork> edited = EditedNetworks();
    SaveNetworkChoice(edited, SaveCaller());
    const bool networksChanged = edited != networks_;
    if (networksChanged || editedDomains_ != domains_) {
        SaveDomainChoice(editedDomains_, SaveCaller());
        Settings().NoteNetworksChanged();
    }
    networks_ = edited;
    domains_ = editedDomains_;
    return true;
}

bool NSDiscSearchPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_DISC_SEARCH_PROPERTIES && code == BN_CLICKED) {
        DomainChoice choice = editedDomains_;
        SmbPropertiesDialog properties(choice);
        if (properties.DoModal(Sheet()) == IDOK && choice != editedDomains_) {
            editedDomains_ = choice;
            NoteChange();
        }
        return true;
    }
    return SettingsPage::OnCommand(id, code, control);
}

bool NSDiscSearchPage::OnNotify(NMHDR& header, LRESULT& result)
{
    if (networkList_.IsCheckChange(header))
        NoteChange();
    return SettingsPage::OnNotify(header, result);
}
