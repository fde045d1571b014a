#include "browse/media_state_message.h"

#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"

void ShowMediaStateError(HWND owner, MediaStateType state, const std::string& networkPath, DWORD error)
{
    switch (state) {
    case MediaAccessible:
        return;
    case MediaAccessDenied:
    case MediaWrongPassword:
        ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_NETWORK_ACCESS_DENIED_FMT), networkPath));
        return;
    case MediaNotFound:
        ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_NETWORK_PATH_NOT_FOUND_FMT), networkPath));
        return;
    default:
        ShowErrorPrompt(owner, FormatText(CommonText(IDS_ERR_CONNECT_DISC_FMT), static_cast<int>(error)));
        return;
    }
}
