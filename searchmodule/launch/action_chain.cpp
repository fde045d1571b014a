#include "action_chain.h"

#include "action_file_dialog.h"
#include "launch/lo_parameter_list_dlg.h"
#include "logging/logging.h"
#include "ui/prompt.h"

namespace {

enum ActionType { MessageBoxAction = 1, ParameterListAction = 2, FileDialogAction = 3 };

// The stored button codes are the message box's own: OK, OK and Cancel, Yes and No. Anything
// else (a damaged value) asks with OK and Cancel, so the user can still stop.
UINT MessageBoxStyle(int buttons)
{
    switch (buttons) {
    case MB_OK:
        return MB_OK | MB_ICONEXCLAMATION;
    case MB_YESNO:
        return MB_YESNO | MB_ICONQUESTION;
    default:
        return MB_OKCANCEL | MB_ICONEXCLAMATION;
    }
}

} // namespace

bool ActionChain::Run(const std::vector<LOAction>& actions, std::vector<std::string>& answers) const
{
    for (const LOAction& action : actions) {
        bool goOn = true;
        switch (action.LOActionType) {
        case MessageBoxAction:
            goOn = AskMessageBox(action);
            break;
        case ParameterListAction:
            goOn = AskParameters(action, answers);
            break;
        case FileDialogAction:
            goOn = AskFiles(action, answers);
            break;
        default:
            LogFormatted("ActionChain::Run() - action '%s' of unknown type %d skipped\n", action.Description.c_str(),
                         action.LOActionType);
            break;
        }
        if (!goOn)
            return false;
    }
    return true;
}

bool ActionChain::AskMessageBox(const LOAction& action) const
{
    PromptRequest request;
    request.owner = owner_;
    request.text = action.DlgMessage;
    request.caption = action.DlgTitle.empty() ? ProductCaption() : action.DlgTitle;
    request.style = MessageBoxStyle(action.MBButtons) | MB_SETFOREGROUND;
    const int answer = AskPrompt(request);
    return answer == IDOK || answer == IDYES;
}

bool ActionChain::AskParameters(const LOAction& action, std::vector<std::string>& answers) const
{
    LOParameterListDlg dialog(owner_, action.DlgTitle, action.DlgMessage, action.ListItems, action.AllowMultiSelect);
    const INT_PTR answer = dialog.DoModal();
    if (answer == kDialogFailed)
        LogFormatted("ActionChain::AskParameters() - the parameter list '%s' could not be shown\n",
                     action.DlgTitle.c_str());
    if (answer != IDOK)
        return false;
    dialog.GetSelectedParameter(answers);
    return true;
}

bool ActionChain::AskFiles(const LOAction& action, std::vector<std::string>& answers) const
{
    std::vector<std::string> paths;
    if (!ActionFileDialog::Ask(owner_, action, paths))
        return false;
    answers.insert(answers.end(), paths.begin(), paths.end());
    return true;
}
