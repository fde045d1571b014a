#include "about_dialog.h"

#include "base/module_version.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"

AboutDialog::AboutDialog() : DialwiseDialog(IDD_ABOUT) {}

bool AboutDialog::OnInitDialog()
{
    HWND window = Window();
    const std::string product = BrandingText(IDS_BRAND_PRODUCT_TITLE);
    ::SetWindowTextA(window, FormatText(ProgramText(IDS_ABOUT_TITLE_FMT), product).c_str());
    HICON icon = nullptr;
    if (ExternalResMgr::GetIconHandle(g_hBrandingInstance, IDI_BRAND_PRODUCT, true, icon)) {
        picture_.Reset(icon);
        ::SendDlgItemMessageA(window, IDC_ABOUT_PICTURE, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    ::SetDlgItemTextA(window, IDC_ABOUT_PRODUCT, BrandingText(IDS_BRAND_PRODUCT_FULL_NAME).c_str());
    const HMODULE program = ::GetModuleHandleA(nullptr);
    const std::string version = FormatText(ProgramText(IDS_ABOUT_VERSION_FMT), ModuleVersionText(program, "ProductVersion"),
                                           ModuleVersionText(program, "FileVersion"));
    ::SetDlgItemTextA(window, IDC_ABOUT_VERSION, version.c_str());
    ::SetDlgItemTextA(window, IDC_ABOUT_COPYRIGHT, BrandingText(IDS_BRAND_COPYRIGHT).c_str());
    return true;
}
