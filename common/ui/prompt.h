#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <functional>
#include <string>

// One question to the user: a message box, or, with a check-box text, the check-box message
// box (a Yes/No question with a check box that switches the question off).
struct PromptRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT style = MB_OK;
    // Empty for a plain message box.
    std::string checkBoxText;
    // The check box's state: the initial state in, the final state out.
    bool checked = false;
};

// Every message box of the suite goes through here, so that tests can answer them. A handler
// returns the button chosen and may set the check box's final state.
using PromptHandler = std::function<int(PromptRequest& request)>;

// Installs a handler (an empty one restores the real boxes); returns the previous one.
BASALT_API PromptHandler SetPromptHandler(PromptHandler handler);

// Asks the installed handler, or shows the real message box or check-box message box.
BASALT_API int AskPrompt(PromptRequest& request);

// Shows a message box and returns the button chosen.
BASALT_API int ShowPrompt(HWND owner, const std::string& text, const std::string& caption, UINT style);

// The product name from the branding library: the caption of boxes that belong to no dialog.
BASALT_API std::string ProductCaption();

// An error: stop icon, brought to the foreground.
BASALT_API void ShowErrorPrompt(HWND owner, const std::string& text, const std::string& caption = ProductCaption());
// A confirmation: Yes and No with the question icon; true for Yes.
BASALT_API bool AskYesNo(HWND owner, const std::string& text, const std::string& caption = ProductCaption());
