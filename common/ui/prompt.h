#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <functional>
#include <string>

// Every message box of the suite goes through here, so that tests can answer them.
using PromptHandler = std::function<int(HWND owner, const std::string& text,
                                        const std::string& caption, UINT style)>;

// Installs a handler (an empty one restores the real message box); returns the previous one.
BASALT_API PromptHandler SetPromptHandler(PromptHandler handler);

// Shows a message box (or asks the installed handler) and returns the button chosen.
BASALT_API int ShowPrompt(HWND owner, const std::string& text, const std::string& caption, UINT style);

// The product name from the branding library: the caption of boxes that belong to no dialog.
BASALT_API std::string ProductCaption();

// An error: stop icon, brought to the foreground.
BASALT_API void ShowErrorPrompt(HWND owner, const std::string& text, const std::string& caption = ProductCaption());
// A confirmation: Yes and No with the question icon; true for Yes.
BASALT_API bool AskYesNo(HWND owner, const std::string& text, const std::string& caption = ProductCaption());
