#include "public/rescan_startup_dlg.h"

#include "logging/logging.h"
#include "public/search_module_object.h"
#include "res/dialog_ids.h"
#include "resources/resources.h"

namespace {

constexpr UINT kLargeProductIcon = 131;

} // namespace

RescanStartupDlg::RescanStartupDlg(HWND parent, bool secondFlag, bool deleteOnClose)
    : Dialog(IDD_RESCAN_STARTUP, g_hBasaltInstance), parent_(parent), secondFlag_(secondFlag), deleteOnClose_(deleteOnClose)
{
}

RescanStartupDlg::~RescanStartupDlg() = default;

INT_PTR RescanStartupDlg::DoModal()
{
    const INT_PTR result = Dialog::DoModal(parent_);
    // Only now: the dialog manager still uses the object until DoModal returns.
    if (deleteOnClose_)
        delete this;
    return result;
}

bool RescanStartupDlg::OnInitDialog()
{
    Logging::OutToLogFile("RescanStartupDlg::OnInitDialog()\n");
    HICON icon = nullptr;
    if (ExternalResMgr::GetIconHandle(g_hBrandingInstance, kLargeProductIcon, true, icon)) {
        icon_.Reset(icon);
        ::SendDlgItemMessageA(Window(), IDC_RESCAN_STARTUP_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    apartment_ = std::make_unique<ComApartment>();
    if (!apartment_->IsReady())
        Logging::OutToLogFile("Could not initialize COM library in RescanStartupDlg.\n");
    const HRESULT created =
        CreateSearchModuleObject(IID_IRegisterNSClient, reinterpret_cast<void**>(searchModule_.GetAddressOf()));
    if (created == CO_E_CLASSSTRING)
        Logging::OutToLogFile("Could not get the CLSID for the IRegisterNSClient interface.\n");
    else if (FAILED(created))
        LogFormatted("Could not get the IRegisterNSClient interface. HRESULT = 0x%08X\n", static_cast<unsigned>(created));
    return true;
}

void RescanStartupDlg::OnOK()
{
    End(IDOK);
    ::SendDlgItemMessageA(Window(), IDC_RESCAN_STARTUP_ICON, STM_SETICON, 0, 0);
    icon_.Reset();
}
