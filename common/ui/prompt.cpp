#include "ui/prompt.h"

#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "ui/checkbox_message_box.h"

#include <mutex>

namespace {

std::mutex g_handlerLock;
PromptHandler g_handler;

} // namespace

PromptHandler SetPromptHandler(PromptHandler handler)
{
    std::lock_guard lock(g_handlerLock);
    std::swap(g_handler, handler);
    return handler;
}

int AskPrompt(PromptRequest& request)
{
    PromptHandler handler;
    {
        std::lock_guard lock(g_handlerLock);
        handler = g_handler;
    }
    if (handler)
        return handler(request);
    if (!request.checkBoxText.empty())
        return CheckboxMessageBox::Show(request);
    return ::MessageBoxA(request.owner, request.text.c_str(), request.caption.c_str(), request.style);
}

int ShowPrompt(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    PromptRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = caption;
    request.style = style;
    return AskPrompt(request);
}

std::string ProductCaption()
{
    return ExternalResMgr::GetString(g_hBrandingInstance, IDS_BRAND_PRODUCT_TITLE);
}

void ShowErrorPrompt(HWND owner, const std::string& text, const std::string& caption)
{
    ShowPrompt(owner, text, caption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

bool AskYesNo(HWND owner, const std::string& text, const std::string& caption)
{
    return ShowPrompt(owner, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
