#include "ui/checkbox_message_box.h"

#include "res/dialog_ids.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"

class CheckboxMessageBox::Box final : public Dialog {
public:
    explicit Box(PromptRequest& request) : Dialog(IDD_CHECKBOX_MESSAGE_BOX, g_hBasaltInstance), request_(request) {}

protected:
    bool OnInitDialog() override
    {
        HWND window = Window();
        ::SetWindowLongPtrA(window, GWL_EXSTYLE, ::GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
        ::SetWindowTextA(window, request_.caption.c_str());
        ::SetDlgItemTextA(window, IDC_CHECKBOX_BOX_TEXT, request_.text.c_str());
        ::SetDlgItemTextA(window, IDC_CHECKBOX_BOX_CHECK, request_.checkBoxText.c_str());
        ::CheckDlgButton(window, IDC_CHECKBOX_BOX_CHECK, request_.checked ? BST_CHECKED : BST_UNCHECKED);
        ::SetDlgItemTextA(window, IDC_CHECKBOX_BOX_YES, CommonText(IDS_BUTTON_YES).c_str());
        ::SetDlgItemTextA(window, IDC_CHECKBOX_BOX_NO, CommonText(IDS_BUTTON_NO).c_str());
        ::ShowWindow(Item(IDC_CHECKBOX_BOX_YES), SW_SHOW);
        ::ShowWindow(Item(IDC_CHECKBOX_BOX_NO), SW_SHOW);
        ::ShowWindow(Item(IDC_CHECKBOX_BOX_THIRD), SW_HIDE);
        ::SendDlgItemMessageA(window, IDC_CHECKBOX_BOX_ICON, STM_SETICON,
                              reinterpret_cast<WPARAM>(::LoadIcon(nullptr, IDI_EXCLAMATION)), 0);
        ::SetForegroundWindow(window);
        return true;
    }

    bool OnCommand(int id, int code, HWND) override
    {
        switch (id) {
        case IDC_CHECKBOX_BOX_CHECK:
            // Kept at once, so that the state is returned whichever way the box ends.
            if (code == BN_CLICKED)
                request_.checked = ::IsDlgButtonChecked(Window(), IDC_CHECKBOX_BOX_CHECK) == BST_CHECKED;
            return true;
        case IDC_CHECKBOX_BOX_YES:
            End(IDYES);
            return true;
        case IDC_CHECKBOX_BOX_NO:
        case IDCANCEL:
            End(IDNO);
            return true;
        default:
            return false;
        }
    }

private:
    PromptRequest& request_;
};

int CheckboxMessageBox::DoModal(HWND owner, const std::string& message, const std::string& caption,
                                const std::string& checkBoxText, unsigned int style, bool& checked)
{
    PromptRequest request;
    request.owner = owner;
    request.text = message;
    request.caption = caption;
    request.style = style;
    request.checkBoxText = checkBoxText;
    request.checked = checked;
    const int answer = AskPrompt(request);
    checked = request.checked;
    return answer == IDYES ? IDYES : IDNO;
}

int CheckboxMessageBox::Show(PromptRequest& request)
{
    Box box(request);
    return box.DoModal(request.owner) == IDYES ? IDYES : IDNO;
}
