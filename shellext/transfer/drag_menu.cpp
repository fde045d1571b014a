#include "transfer/drag_menu.h"

#include "logging/logging.h"
#include "module_instance.h"
#include "ui/ui_handles.h"
#include "view/view_commands.h"

#include <oleidl.h>

using namespace view_command;

namespace {

constexpr int kDragMenuPopup = 1;

struct Choice {
    UINT command;
    DWORD effect;
};
constexpr Choice kChoices[] = {
    {kDragCopyHere, DROPEFFECT_COPY},
    {kDragMoveHere, DROPEFFECT_MOVE},
    {kDragShortcutHere, DROPEFFECT_LINK},
};

} // namespace

DWORD ChooseFromDragMenu(HWND owner, POINTL screen, DWORD possible, DWORD preferred)
{
    if (possible == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;
    const ScopedMenu resource(::LoadMenuA(g_hShellvueInstance, MAKEINTRESOURCEA(kItemContextMenu)));
    const HMENU menu = resource ? ::GetSubMenu(resource.Get(), kDragMenuPopup) : nullptr;
    if (!menu || !owner) {
        Logging::OutToLogFile("NSDropTarget::Drop | the menu of a drop with the right button cannot be shown\n");
        return DROPEFFECT_NONE;
    }
    for (const Choice& choice : kChoices) {
        const bool offered = (possible & choice.effect) != 0;
        ::EnableMenuItem(menu, choice.command, MF_BYCOMMAND | (offered ? MF_ENABLED : MF_GRAYED));
        if (offered && choice.effect == preferred)
            ::SetMenuDefaultItem(menu, choice.command, FALSE);
    }
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                           screen.x, screen.y, 0, owner, nullptr));
    for (const Choice& choice : kChoices) {
        if (choice.command == chosen && (possible & choice.effect))
            return choice.effect;
    }
    return DROPEFFECT_NONE;
}
