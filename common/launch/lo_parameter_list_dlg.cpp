#include "launch/lo_parameter_list_dlg.h"

#include "item/item.h"
#include "res/dialog_ids.h"
#include "resources/resources.h"

#include <utility>

LOParameterListDlg::LOParameterListDlg(HWND owner, std::string title, std::string message, std::string listItems,
                                       int allowMultipleSelection)
    : Dialog(IDD_PARAMETER_LIST, g_hBasaltInstance),
      owner_(owner),
      title_(std::move(title)),
      message_(std::move(message)),
      listItems_(std::move(listItems)),
      multipleSelection_(allowMultipleSelection != 0)
{
}

INT_PTR LOParameterListDlg::DoModal()
{
    selected_.clear();
    return Dialog::DoModal(owner_);
}

void LOParameterListDlg::GetSelectedParameter(std::vector<std::string>& values) const
{
    values.insert(values.end(), selected_.begin(), selected_.end());
}

bool LOParameterListDlg::OnInitDialog()
{
    HWND window = Window();
    // Launched from a desktop shortcut there may be no other window of ours on the taskbar.
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, ::GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    ::SetWindowTextA(window, title_.c_str());
    ::SetDlgItemTextA(window, IDC_PARAMETER_LIST_TEXT, message_.c_str());
    ReplaceListBox();
    FillListBox();
    ::SetForegroundWindow(window);
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return true;
}

// The selection style of a list box cannot change once it exists, so the template's list is
// replaced by one made for this action.
void LOParameterListDlg::ReplaceListBox()
{
    HWND window = Window();
    HWND templateList = Item(IDC_PARAMETER_LIST_LIST);
    RECT place{};
    ::GetWindowRect(templateList, &place);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);

    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                  LBS_DISABLENOSCROLL;
    if (multipleSelection_)
        style |= LBS_EXTENDEDSEL;
    ::SetWindowLongPtrA(templateList, GWLP_ID, 0);
    HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PARAMETER_LIST_LIST)),
                                  g_hBasaltInstance, nullptr);
    if (!list) {
        // The template's own list still serves, with single selection only.
        ::SetWindowLongPtrA(templateList, GWLP_ID, IDC_PARAMETER_LIST_LIST);
        return;
    }
    ::SendMessageA(list, WM_SETFONT, ::SendMessageA(window, WM_GETFONT, 0, 0), FALSE);
    // Same place in the tab order as the list it replaces.
    ::SetWindowPos(list, templateList, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::DestroyWindow(templateList);
}

void LOParameterListDlg::FillListBox()
{
    HWND list = Item(IDC_PARAMETER_LIST_LIST);
    values_.clear();
    std::string rest = listItems_;
    while (!rest.empty()) {
        std::string description;
        std::string value;
        rest = CacheItem::ExtractFirstPair(rest, description, value);
        if (description.empty())
            continue;
        const LRESULT index = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description.c_str()));
        if (index < 0)
            break;   // out of memory in the control: show what fitted
        ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(values_.size()));
        values_.push_back(std::move(value));
    }
}

bool LOParameterListDlg::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_PARAMETER_LIST_LIST && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void LOParameterListDlg::OnOK()
{
    HWND list = Item(IDC_PARAMETER_LIST_LIST);
    selected_.clear();
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(index), 0) <= 0)
            continue;
        const auto data = static_cast<size_t>(::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
        if (data < values_.size())
            selected_.push_back(values_[data]);
    }
    End(IDOK);
}
