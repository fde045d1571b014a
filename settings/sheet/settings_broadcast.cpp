#include "settings_broadcast.h"

#include "logging/logging.h"
#include "resources/texts.h"

void BroadcastSetting(UINT messageNameId)
{
    const std::string name = CommonText(messageNameId);
    const UINT message = name.empty() ? 0 : ::RegisterWindowMessageA(name.c_str());
    if (message == 0 || !::PostMessageA(HWND_BROADCAST, message, 0, 0))
        LogFormatted("NSPropertySheet::OnApply() - could not announce %s, error %d\n", name,
                     static_cast<int>(::GetLastError()));
}
