#include "lo_mapping_page.h"

#include "lo_property_sheet.h"
#include "props_ids.h"

namespace {

constexpr int kExitChoiceIds[] = {IDC_EXIT_RESTORE, IDC_EXIT_UNMAP, IDC_EXIT_KEEP};
constexpr int kMappingPageIndex = 1;

} // namespace

LOMappingPage::LOMappingPage(LOPropertySheet& sheet) : ItemMappingPage(sheet), sheet_(sheet) {}

bool LOMappingPage::OnInitDialog()
{
    const int status = sheet_.Stored().ExitLOStatus;
    const int choice = status >= 0 && status < static_cast<int>(std::size(kExitChoiceIds)) ? status : 0;
    ::CheckRadioButton(Window(), IDC_EXIT_RESTORE, IDC_EXIT_KEEP, kExitChoiceIds[choice]);
    return ItemMappingPage::OnInitDialog();
}

bool LOMappingPage::OnCommand(int id, int code, HWND control)
{
    for (int choice = 0; choice < static_cast<int>(std::size(kExitChoiceIds)); ++choice) {
        if (id == kExitChoiceIds[choice] && code == BN_CLICKED) {
            sheet_.Edited().ExitLOStatus = choice;
            SetModified();
            return true;
        }
    }
    return ItemMappingPage::OnCommand(id, code, control);
}

bool LOMappingPage::OnSetActive()
{
    sheet_.PageShown(kMappingPageIndex);
    return true;
}

bool LOMappingPage::OnWizardFinish() { return sheet_.IsLaunchObjectOK(); }
