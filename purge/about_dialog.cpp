#include "about_dialog.h"

#include "common/text/text_format.h"
#include "module_version.h"
#include "purge_text.h"
#include "res/clearbay_dialog_ids.h"
#include "res/clearbay_string_ids.h"
#include "ui/dialog.h"

namespace {

// The program's version and the versions of the suite it handles.
class AboutDialog final : public Dialog {
public:
    AboutDialog() : Dialog(IDD_ABOUT) {}

protected:
    bool OnInitDialog() override
    {
        const std::string version = FormatText(PurgeText(IDS_ABOUT_VERSION), FileVersionOf(::GetModuleHandleA(nullptr)));
        ::SetDlgItemTextA(Window(), IDC_ABOUT_VERSION, version.c_str());
        return true;
    }
};

} // namespace

void ShowAboutBox(HWND owner)
{
    AboutDialog about;
    about.DoModal(owner);
}
