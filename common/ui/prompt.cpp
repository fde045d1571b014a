#include "prompt.h"

#include "resources/resources.h"
#include "resources/branding_ids.h"

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

int ShowPrompt(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    PromptHandler handler;
    {
        std::lock_guard lock(g_handlerLock);
        handler = g_handler;
    }
    if (handler)
        return handler(owner, text, caption, style);
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), style);
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
