#include "tray_icon.h"

#include "support/branding_loaded.h"
#include "support/menu_keys.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kCallbackMessage = WM_APP + 7;
constexpr UINT kIconId = 1;

// A plain top-level window to own the icon.
class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TrayIconTestOwner";
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowA("TrayIconTestOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    ~OwnerWindow() { ::DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Whether the shell knows an icon of the window: only an existing icon can be modified.
bool ShellHasIcon(HWND owner)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = kIconId;
    data.uFlags = NIF_TIP;
    return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class TrayIconTest : public ::testing::Test {
protected:
    BrandingLoaded branding;
    OwnerWindow owner;
};

TEST_F(TrayIconTest, TheIconComesAndGoesWithShowAndWithTheObject)
{
    ASSERT_TRUE(owner.Get());
    {
        TrayIcon icon(owner.Get(), kCallbackMessage);
        EXPECT_FALSE(ShellHasIcon(owner.Get()));
        EXPECT_TRUE(icon.Show(true));
        EXPECT_TRUE(icon.IsShown());
        EXPECT_TRUE(ShellHasIcon(owner.Get()));
        EXPECT_TRUE(icon.Show(true));   // already there: nothing added twice
        EXPECT_TRUE(icon.Show(false));
        EXPECT_FALSE(ShellHasIcon(owner.Get()));
        EXPECT_TRUE(icon.Show(true));
    }
    EXPECT_FALSE(ShellHasIcon(owner.Get()));
}

TEST_F(TrayIconTest, AShownIconReturnsWhenTheTaskbarIsCreatedAgain)
{
    TrayIcon icon(owner.Get(), kCallbackMessage);
    ASSERT_TRUE(icon.Show(true));
    NOTIFYICONDATAA forgotten{};
    forgotten.cbSize = sizeof forgotten;
    forgotten.hWnd = owner.Get();
    forgotten.uID = kIconId;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &forgotten));
    EXPECT_FALSE(icon.HandleTaskbarCreated(WM_APP));
    EXPECT_FALSE(ShellHasIcon(owner.Get()));
    EXPECT_TRUE(icon.HandleTaskbarCreated(::RegisterWindowMessageA("TaskbarCreated")));
    EXPECT_TRUE(ShellHasIcon(owner.Get()));
}

TEST_F(TrayIconTest, TheMenuOffersBothSearchesAndExit)
{
    const TrayMenu menu;
    ASSERT_EQ(4, ::GetMenuItemCount(menu.Handle()));
    const auto text = [&](UINT command) {
        char buffer[64] = {};
        ::GetMenuStringA(menu.Handle(), command, buffer, sizeof buffer, MF_BYCOMMAND);
        return std::string(buffer);
    };
    EXPECT_EQ("&Quick search", text(TrayIcon::kQuickSearch));
    EXPECT_EQ("&Full search", text(TrayIcon::kFullSearch));
    EXPECT_EQ("E&xit", text(TrayIcon::kExit));
    EXPECT_EQ(TrayIcon::kQuickSearch, ::GetMenuDefaultItem(menu.Handle(), FALSE, 0));
}

TEST_F(TrayIconTest, ARightClickOrDoubleClickReturnsTheCommandPicked)
{
    TrayIcon icon(owner.Get(), kCallbackMessage);
    ASSERT_TRUE(icon.Show(true));
    {
        MenuKeys keys({VK_DOWN, VK_DOWN, VK_RETURN});
        EXPECT_EQ(TrayIcon::kFullSearch, icon.HandleCallback(kIconId, WM_RBUTTONUP));
        EXPECT_TRUE(MenuKeys::Fired());
    }
    {
        MenuKeys keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});   // the separator is skipped
        EXPECT_EQ(TrayIcon::kExit, icon.HandleCallback(kIconId, WM_LBUTTONDBLCLK));
    }
    {
        MenuKeys keys({VK_ESCAPE});
        EXPECT_EQ(0u, icon.HandleCallback(kIconId, WM_RBUTTONUP));
        EXPECT_TRUE(MenuKeys::Fired());
    }
}

TEST_F(TrayIconTest, OtherMouseEventsOpenNoMenu)
{
    TrayIcon icon(owner.Get(), kCallbackMessage);
    ASSERT_TRUE(icon.Show(true));
    for (LPARAM event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN}) {
        MenuKeys keys({});
        EXPECT_EQ(0u, icon.HandleCallback(kIconId, event));
        EXPECT_FALSE(MenuKeys::Fired());
    }
    MenuKeys keys({});
    EXPECT_EQ(0u, icon.HandleCallback(kIconId + 1, WM_RBUTTONUP));   // not our icon
    EXPECT_FALSE(MenuKeys::Fired());
}

} // namespace
