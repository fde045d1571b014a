#include "first_time_prompt.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"
#include "settings_program.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <mutex>

namespace {

void OfferPublicFolders()
{
    if (!AuxiliaryFunctions::IsFirstTimeClientUser())
        return;
    const std::string product = BrandingText(IDS_BRAND_PRODUCT_TITLE);
    const std::string text = FormatText(CommonText(IDS_FIRST_TIME_CLIENT_PROMPT_FMT), product, product);
    if (ShowPrompt(nullptr, text, ProductCaption(), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    StartSettingsProgram("-i", "ShellFolder::ShellFolder() - ");
}

} // namespace

void OfferPublicFoldersOnce()
{
    static std::once_flag offered;
    std::call_once(offered, [] {
        try {
            OfferPublicFolders();
        } catch (const std::exception& error) {
            LogFormatted("ShellFolder::ShellFolder() - Exception caught: %s \n", error.what());
        }
    });
}
