#include "first_time_prompt.h"

#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/auxiliary.h"
#include "settings_program.h"
#include "text/text_format.h"
#include "ui/prompt.h"

#include <atomic>

namespace {

void OfferPublicFolders()
{
    if (!AuxiliaryFunctions::IsFirstTimeClientUser())
        return;
    const std::string product = BrandingText(IDS_BRAND_PRODUCT_TITLE);
    const std::string text = FormatText(CommonText(IDS_FIRST_TIME_CLIENT_PROMPT_FMT), product, product);
    // Owned by the Explorer window that is making the folder, so that the window waits for the
    // answer instead of going on behind the box.
    if (ShowPrompt(::GetActiveWindow(), text, ProductCaption(), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    StartSettingsProgram("-i", "ShellFolder::ShellFolder() - ");
}

} // namespace

void OfferPublicFoldersOnce()
{
    // Taken before the question is asked: folders made while the box is open (Explorer's
    // messages still run under it, on this thread and on others) neither wait nor ask again.
    static std::atomic<bool> offered{false};
    if (offered.exchange(true))
        return;
    try {
        OfferPublicFolders();
    } catch (const std::exception& error) {
        LogFormatted("ShellFolder::ShellFolder() - Exception caught: %s \n", error.what());
    }
}
