#include "wizard_page.h"

#include "help_routing.h"
#include "res/dialog_ids.h"
#include "res/dialwise_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/window_text.h"

WizardPage::WizardPage(UINT templateId, std::initializer_list<int> productTexts)
    : PropertyPage(templateId, ::GetModuleHandleA(nullptr)), productTexts_(productTexts)
{
}

bool WizardPage::OnInitDialog()
{
    HBITMAP picture = nullptr;
    if (ExternalResMgr::GetBitmapHandleFromCommon(IDB_WIZARD_PICTURE, picture)) {
        picture_.Reset(picture);
        ::SendDlgItemMessageA(Window(), IDC_WIZARD_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    }
    const std::string product = BrandingText(IDS_BRAND_PRODUCT_TITLE);
    for (int id : productTexts_) {
        HWND control = Item(id);
        ::SetWindowTextA(control, FormatText(WindowString(control), product, product, product).c_str());
    }
    return true;
}

bool WizardPage::OnSetActive()
{
    SetWizardButtons(Buttons());
    return true;
}

bool WizardPage::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) { return HandleHelpMessage(message, result); }
