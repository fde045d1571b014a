#include "wizard_driver.h"

#include "support/dialog_driver.h"

#include <commctrl.h>

namespace {

// The buttons of the property-sheet manager's wizard frame.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;
constexpr int kWaitRounds = 300;

std::string ButtonsShown(HWND wizard)
{
    std::string buttons;
    const auto add = [&](int id, const char* name) {
        if (IsItemVisible(wizard, id) && IsItemEnabled(wizard, id))
            buttons += buttons.empty() ? name : std::string(" ") + name;
    };
    add(kBackButton, "Back");
    add(kNextButton, "Next");
    add(kFinishButton, "Finish");
    return buttons;
}

} // namespace

HWND WizardPageShown(HWND wizard)
{
    return reinterpret_cast<HWND>(::SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string WizardPageTitle(HWND wizard) { return WindowText(WizardPageShown(wizard)); }

bool WaitForWizardPage(HWND wizard, const std::string& title)
{
    for (int round = 0; round < kWaitRounds; ++round) {
        if (WizardPageTitle(wizard) == title)
            return true;
        ::Sleep(10);
    }
    return false;
}

bool PressAndWaitForPage(HWND wizard, int button, const std::string& title)
{
    PressSheetButton(wizard, button);
    return WaitForWizardPage(wizard, title);
}

std::string WizardButtons(HWND wizard, const std::string& expected)
{
    std::string shown;
    for (int round = 0; round < kWaitRounds; ++round) {
        shown = ButtonsShown(wizard);
        if (shown == expected)
            break;
        ::Sleep(10);
    }
    return shown;
}

bool ShowsBitmap(HWND page, int pictureId)
{
    return ::SendDlgItemMessageA(page, pictureId, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
}
