#include "find_media_property_sheet.h"

#include "find_folder_picker.h"
#include "res/dialwise_ids.h"
#include "res/dialwise_string_ids.h"
#include "resources/texts.h"
#include "ui/window_text.h"

#include <commctrl.h>

#include <stdexcept>

FindMediaNamePage::FindMediaNamePage() : DialwiseDialog(IDD_FIND_NAME_PAGE) {}

bool FindMediaNamePage::OnInitDialog()
{
    Reset();
    return false;
}

FindRequest FindMediaNamePage::Criteria() const
{
    FindRequest request;
    request.pattern = WindowString(Item(IDC_FIND_NAMED));
    request.folder = WindowString(Item(IDC_FIND_LOOK_IN));
    // The root is named by nothing; a path typed with backslashes around it means the same.
    while (!request.folder.empty() && request.folder.front() == '\\')
        request.folder.erase(0, 1);
    while (!request.folder.empty() && request.folder.back() == '\\')
        request.folder.pop_back();
    request.includeSubfolders = ::IsDlgButtonChecked(Window(), IDC_FIND_SUBFOLDERS) == BST_CHECKED;
    return request;
}

void FindMediaNamePage::Reset()
{
    ::SetDlgItemTextA(Window(), IDC_FIND_NAMED, "");
    ::SetDlgItemTextA(Window(), IDC_FIND_LOOK_IN, "");
    ::CheckDlgButton(Window(), IDC_FIND_SUBFOLDERS, BST_CHECKED);
}

void FindMediaNamePage::Enable(bool enabled)
{
    for (int id : {IDC_FIND_NAMED, IDC_FIND_LOOK_IN, IDC_FIND_BROWSE, IDC_FIND_SUBFOLDERS})
        ::EnableWindow(Item(id), enabled);
}

bool FindMediaNamePage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_FIND_BROWSE && code == BN_CLICKED) {
        OnBrowse();
        return true;
    }
    return DialwiseDialog::OnCommand(id, code, control);
}

void FindMediaNamePage::OnBrowse()
{
    std::string folder = WindowString(Item(IDC_FIND_LOOK_IN));
    if (PickNamespaceFolder(::GetParent(Window()), ProgramText(IDS_FIND_BROWSE_TITLE), folder))
        ::SetDlgItemTextA(Window(), IDC_FIND_LOOK_IN, folder.c_str());
}

FindMediaPropertySheet::FindMediaPropertySheet(HWND dialog, int tabsId) : page_(std::make_unique<FindMediaNamePage>())
{
    HWND tabs = ::GetDlgItem(dialog, tabsId);
    std::string title = ProgramText(IDS_FIND_NAME_TAB);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = title.data();
    ::SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    if (!page_->Create(dialog))
        throw std::runtime_error("the criteria page could not be made");
    // The page lies over the tab control's display area, after it in the tab order.
    RECT area{};
    ::GetWindowRect(tabs, &area);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    ::SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ::SetWindowPos(page_->Window(), tabs, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_SHOWWINDOW);
}

FindMediaPropertySheet::~FindMediaPropertySheet() = default;
