#include "tray_icon.h"

#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kIconId = 1;

} // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage)
    : owner_(owner), callbackMessage_(callbackMessage),
      taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")), tooltip_(BrandingText(IDS_BRAND_PRODUCT_TITLE))
{
    HICON brand = nullptr;
    if (ExternalResMgr::GetIconHandle(g_hBrandingInstance, IDI_BRAND_DISC_SEARCH, false, brand))
        brandIcon_.Reset(brand);
    // Without the branding library the icon still lets the user reach the menu.
    icon_ = brandIcon_ ? brandIcon_.Get() : ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
}

TrayIcon::~TrayIcon() { Show(false); }

NOTIFYICONDATAA TrayIcon::IconData() const
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    const size_t length = std::min(tooltip_.size(), sizeof data.szTip - 1);
    std::memcpy(data.szTip, tooltip_.data(), length);
    return data;
}

bool TrayIcon::Show(bool visible)
{
    if (visible == shown_)
        return true;
    NOTIFYICONDATAA data = IconData();
    if (!::Shell_NotifyIconA(visible ? NIM_ADD : NIM_DELETE, &data))
        return false;
    shown_ = visible;
    return true;
}

UINT TrayIcon::HandleCallback(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kIconId)
        return 0;
    switch (LOWORD(lParam)) {
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        break;
    default:
        return 0;
    }
    POINT at{};
    ::GetCursorPos(&at);
    return TrayMenu().Track(owner_, at);
}

bool TrayIcon::HandleTaskbarCreated(UINT message)
{
    if (message == 0 || message != taskbarCreated_)
        return false;
    if (shown_) {
        NOTIFYICONDATAA data = IconData();
        ::Shell_NotifyIconA(NIM_ADD, &data);
    }
    return true;
}
