#include "settings_sheet_driver.h"

#include "res/dialwise_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "sheet/ns_property_sheet.h"

#include "base/module_path.h"
#include "explorer_driver.h"
#include "support/dialog_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr char kListenerClass[] = "SettingsBroadcastListener";
constexpr int kTabControl = 0x3020;

constexpr UINT kBroadcastNames[] = {IDS_MSG_SHOW_TRAY_ICON, IDS_MSG_HIDE_TRAY_ICON, IDS_MSG_REFRESH_TIMER_CHANGE,
                                    IDS_MSG_RESCAN_TIMER_CHANGE, IDS_MSG_BACKGROUND_SEARCH_CHANGE,
                                    IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE};

// Returns once the window's thread has handled what it was sent before.
void WaitUntilIdle(HWND window) { WindowText(window); }

} // namespace

std::vector<std::string> CheckListRows(HWND list)
{
    std::vector<std::string> rows;
    for (int index = 0; index < ListView_GetItemCount(list); ++index) {
        char text[64] = {};
        ListView_GetItemText(list, index, 0, text, sizeof text);
        rows.push_back(std::string(text) + (ListView_GetCheckState(list, index) ? "+" : ""));
    }
    return rows;
}

// --- BroadcastListener ----------------------------------------------------------------------

BroadcastListener::BroadcastListener()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &BroadcastListener::Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kListenerClass;
    ::RegisterClassA(&windowClass);
    window_ = ::CreateWindowExA(0, kListenerClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    for (UINT id : kBroadcastNames) {
        const std::string name = CommonText(id);
        names_[::RegisterWindowMessageA(name.c_str())] = name;
    }
}

BroadcastListener::~BroadcastListener()
{
    if (window_)
        ::DestroyWindow(window_);
}

LRESULT CALLBACK BroadcastListener::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto* self = reinterpret_cast<BroadcastListener*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) {
        if (const auto named = self->names_.find(message); named != self->names_.end()) {
            ++self->received_[named->second];
            return 0;
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool BroadcastListener::WaitFor(UINT messageNameId, DWORD timeoutMs)
{
    const std::string name = CommonText(messageNameId);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        if (received_.count(name))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

std::map<std::string, int> BroadcastListener::Received()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
    return received_;
}

// --- SettingsSheetTest ----------------------------------------------------------------------

void SettingsSheetTest::SetUp()
{
    ASSERT_TRUE(branding.IsLoaded());
    Machine().SetStringValue("Program Path", folder.Path());
    SetKind(kServerInstallation);
    User();
}

unsigned long SettingsSheetTest::UserDword(const std::string& name)
{
    unsigned long value = 0xDEADBEEF;
    User().TryQueryDWORDValue(name, value);
    return value;
}

std::string SettingsSheetTest::UserText(const std::string& name)
{
    std::string value;
    User().TryQueryStringValue(name, value);
    return value;
}

std::vector<std::string> SettingsSheetTest::StoredDomains()
{
    std::vector<std::string> domains;
    RegValueEnumerator values = User().GetKeyRead("Disc Search\\SMB Domains").GetValueEnumerator();
    while (values.Next()) {
        if (values.GetType() == StringValue)
            domains.push_back(values.GetName());
    }
    std::sort(domains.begin(), domains.end());
    return domains;
}

std::unique_ptr<ModalDialogRun> SettingsSheetTest::OpenSheet(unsigned int startPage)
{
    auto run = std::make_unique<ModalDialogRun>([startPage] {
        NSPropertySheet sheet(startPage);
        return sheet.DoModal(nullptr);
    });
    WaitUntilIdle(run->Window());
    return run;
}

bool SettingsSheetTest::PressOk(ModalDialogRun& run)
{
    PressSheetButton(run.Window(), PSBTN_OK);
    INT_PTR result = 0;
    return run.WaitForEnd(result);
}

HWND SettingsSheetTest::CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int SettingsSheetTest::CurrentPageIndex(HWND sheet)
{
    return static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
}

std::vector<std::string> SettingsSheetTest::PageTitles(HWND sheet)
{
    HWND tabs = ::GetDlgItem(sheet, kTabControl);
    std::vector<std::string> titles;
    const int count = static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[128] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
    }
    return titles;
}

HWND SettingsSheetTest::ShowPage(HWND sheet, int index)
{
    ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    WaitUntilIdle(sheet);
    return CurrentPage(sheet);
}

void SettingsSheetTest::SetPeriod(HWND page, int base, const std::string& count, int unit)
{
    TypeIntoItem(page, base + IDC_SCHEDULE_COUNT, count);
    ::SendDlgItemMessageA(page, base + IDC_SCHEDULE_UNIT, CB_SETCURSEL, static_cast<WPARAM>(unit), 0);
    NotifyCommand(page, base + IDC_SCHEDULE_UNIT, CBN_SELCHANGE);
}

void SettingsSheetTest::SetScheduleOn(HWND page, int base, bool on)
{
    SetItemChecked(page, base + IDC_SCHEDULE_ON, on);
    NotifyCommand(page, base + IDC_SCHEDULE_ON, BN_CLICKED);
}

void SettingsSheetTest::SaveSheetScreenshot(HWND window, const std::string& name) { SaveDialogScreenshot(window, name); }

void SaveDialogScreenshot(HWND window, const std::string& name) { SaveScreenshotInBuild(window, name); }
